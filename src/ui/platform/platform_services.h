// The platform services the window asks for — file dialogs, starting outside
// programs, opening addresses — behind small interfaces, so tests record what
// was asked and answer as they like.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>

class QUrl;
class QWidget;

namespace ign::ui {

// File names between Qt and the core: UTF-16 on Windows, whatever the ANSI
// code page, and the file system's own bytes elsewhere.
std::filesystem::path toPath(const QString& name);
QString fromPath(const std::filesystem::path& path);

inline const QString kMapFileFilter = QStringLiteral("Таблица УОЗ (*.map)");

struct FileDialogRequest {
    QString title;
    QString filter;
    QString fileName;  // offered as the dialog opens
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Only an existing file can be chosen; nothing when the user cancels.
    virtual std::optional<QString> openFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
    // The name exactly as chosen: no extension is added and an existing file
    // is replaced without a question. Nothing when the user cancels.
    virtual std::optional<QString> saveFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;
};

struct ProcessRequest {
    QString program;  // looked up as the system would
    QStringList arguments;
    QString argumentLine;  // the arguments as one text, used as such on Windows
    QString workingFolder;
};

struct ProcessResult {
    bool started = true;  // false: found, but it could not be run
    bool crashed = false;
    int exitCode = 0;
    QByteArray output;  // standard output and error as they came
};

enum class StartOutcome { Started, NotFound, Failed };

class ProcessLauncher {
public:
    using Finished = std::function<void(const ProcessResult&)>;
    virtual ~ProcessLauncher() = default;
    // Whether start() would find the program, without starting it.
    virtual bool canFind(const ProcessRequest& request) = 0;
    // Returns at once. `finished` runs from the event loop when the program
    // ends, or when it turns out it could not be run after all.
    virtual StartOutcome start(const ProcessRequest& request, Finished finished) = 0;
    // The program runs on its own and may outlive this one; nothing comes back.
    virtual StartOutcome startDetached(const ProcessRequest& request) = 0;
};

class QtProcessLauncher final : public ProcessLauncher {
public:
    QtProcessLauncher() = default;
    ~QtProcessLauncher() override;
    QtProcessLauncher(const QtProcessLauncher&) = delete;
    QtProcessLauncher& operator=(const QtProcessLauncher&) = delete;

    bool canFind(const ProcessRequest& request) override;
    StartOutcome start(const ProcessRequest& request, Finished finished) override;
    StartOutcome startDetached(const ProcessRequest& request) override;

private:
    QObject running_;  // parent of the processes still running
};

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Hands the address to the user's default handler; false when none took it.
    virtual bool openUrl(const QUrl& url) = 0;
};

class QtUrlOpener final : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override;
};

}  // namespace ign::ui
