// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

class ClickLabel;
class UiTimer;

// The intro window: a picture and a banner that changes every half second, then the main window.
class IntroWindow : public Form {
    Q_OBJECT
public:
    explicit IntroWindow(Forms& forms);

    // The banner's next text, every half second; the last one hands over.
    void showNextBanner();
    // Closes the intro and shows the main window: after the banners, or at a click or a key.
    void handOver();

    // A dictionary to open once the main window is up (from the command line).
    void setFileToOpen(const QString& path) { fileToOpen_ = path; }

    ClickLabel* bannerLabel;
    ClickLabel* authorLabel;
    UiTimer* handOverTimer;
    UiTimer* bannerTimer;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int FrameWidth = 2; // pixels round the client area
    // The client area inside the frame, in the window's coordinates.
    static QRect clientRect();
    QString versionBanner() const;
    void showTexts();

    QString fileToOpen_;
    bool textsShown_ = false;
};
