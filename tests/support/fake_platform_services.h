// Platform services that record what the program asked and answer from a
// script, so no dialog, program or browser is involved.
#pragma once

#include "ui/platform/platform_services.h"

#include <QUrl>
#include <deque>
#include <optional>
#include <vector>

namespace ign::ui::test {

struct AskedDialog {
    bool save;
    FileDialogRequest request;
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::vector<AskedDialog> asked;
    std::deque<std::optional<QString>> answers;  // cancel when empty

    std::optional<QString> openFileName(QWidget*, const FileDialogRequest& request) override
    {
        return answer(false, request);
    }
    std::optional<QString> saveFileName(QWidget*, const FileDialogRequest& request) override
    {
        return answer(true, request);
    }

private:
    std::optional<QString> answer(bool save, const FileDialogRequest& request)
    {
        asked.push_back({save, request});
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeProcessLauncher final : public ProcessLauncher {
public:
    struct Started {
        ProcessRequest request;
        bool detached;
        Finished finished;
    };
    std::vector<Started> started;
    StartOutcome outcome = StartOutcome::Started;

    bool canFind(const ProcessRequest&) override { return outcome != StartOutcome::NotFound; }
    StartOutcome start(const ProcessRequest& request, Finished finished) override
    {
        started.push_back({request, false, std::move(finished)});
        return outcome;
    }
    StartOutcome startDetached(const ProcessRequest& request) override
    {
        started.push_back({request, true, {}});
        return outcome;
    }
};

class FakeUrlOpener final : public UrlOpener {
public:
    std::vector<QUrl> opened;
    bool works = true;

    bool openUrl(const QUrl& url) override
    {
        opened.push_back(url);
        return works;
    }
};

}  // namespace ign::ui::test
