// SPDX-License-Identifier: MIT
#pragma once

#include "MessageBoxes.h"

#include <QStringList>

#include <functional>

// Message boxes for tests: records every box instead of showing it, answers confirmations as
// told, and can run a step while a box would be open (the program waits inside the box).
class RecordingMessageBoxes : public toolkit::MessageBoxes
{
public:
    RecordingMessageBoxes() { toolkit::setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { toolkit::setMessageBoxes(nullptr); }
    RecordingMessageBoxes(const RecordingMessageBoxes &) = delete;
    RecordingMessageBoxes &operator=(const RecordingMessageBoxes &) = delete;

    void showMessage(const QString &text) override
    {
        messages << text;
        if (whileOpen)
            whileOpen();
    }
    bool confirm(const QString &text) override
    {
        confirmations << text;
        if (whileOpen)
            whileOpen();
        return answerYes;
    }

    QStringList messages;
    QStringList confirmations;
    bool answerYes = false;
    std::function<void()> whileOpen;
};
