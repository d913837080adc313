#pragma once

#include "forms/Form.h"

class ClickLabel;
class UiTimer;

// The intro window: a picture and a banner that changes every half second, then the main window.
class Algus : public Form {
    Q_OBJECT
public:
    explicit Algus(Forms& forms);

    void Timer2_Timer();
    void Timer1_Timer();
    void Form_Click();
    void Form_KeyPress(const QString& text);
    void Label1_Click();
    void Label2_Click();

    // A dictionary to open once the main window is up (from the command line).
    void setFileToOpen(const QString& path) { fileToOpen_ = path; }

    ClickLabel* Label1;
    ClickLabel* Label2;
    UiTimer* Timer1;
    UiTimer* Timer2;

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
