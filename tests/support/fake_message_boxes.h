// Records every message box the window asks for and answers from a script.
#pragma once

#include <deque>
#include <vector>

#include "ui/platform/message_boxes.h"

namespace ign::ui::test {

struct AskedBox {
    QString text;
    QString title;
    Icon icon;
    bool yesNoCancel;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    std::vector<AskedBox> asked;
    std::deque<Answer> answers;  // for askYesNoCancel; Cancel when empty

    void inform(QWidget*, const QString& text, const QString& title, Icon icon) override
    {
        asked.push_back({text, title, icon, false});
    }
    Answer askYesNoCancel(QWidget*, const QString& text, const QString& title, Icon icon) override
    {
        asked.push_back({text, title, icon, true});
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace ign::ui::test
