// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"
#include "platform/Registry.h"

#include <memory>
#include <random>

class QWidget;

// The real platform: Qt's message boxes and file dialogs, the system beep, QProcess.
class QtPlatform final : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void message(const QString& title, const QString& text, MessageIcon icon) override;
    FileDialogResult openFileDialog(FileDialogSettings& settings) override;
    FileDialogResult saveFileDialog(FileDialogSettings& settings) override;
    void beep() override;
    void endProgram() override;
    bool startProgram(const QString& path, const QStringList& arguments) override;
    QStringList programSearchPath() override;
    bool fileExists(const QString& path) override;
    QString workingDirectory() override;
    double timeOfDay() override;
    void randomize(double seed) override;
    double rnd() override;
    Registry& registry() override;
    UiTimer* createTimer(QObject* parent) override;

private:
    FileDialogResult runFileDialog(FileDialogSettings& settings, bool save);

    std::unique_ptr<Registry> registry_;
    std::mt19937_64 random_;
};

// "Description (*.dic) |*.dic|" written as Qt's "Description (*.dic)" filter lines.
QString qtNameFilters(const QString& filter);
