#pragma once

#include "MessageBoxes.h"

#include <deque>
#include <vector>

// Records every box instead of showing it and answers from a script (OK when
// the script is empty).
class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Box {
        QString title;
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    QMessageBox::StandardButton ask(const QString& title, QMessageBox::Icon icon,
                                    const QString& text,
                                    QMessageBox::StandardButtons buttons) override
    {
        shown.push_back({title, icon, text, buttons});
        if (answers.empty())
            return QMessageBox::Ok;
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Box> shown;
    std::deque<QMessageBox::StandardButton> answers;
};
