#pragma once

#include <QPointer>
#include <QWidget>

namespace platform {

class Window;

// The native top-level widget of a Window: an optional menu bar on top and
// the content area below it, both placed by hand so that the content's size
// and offset are known before the window is first shown.
class WindowFrame : public QWidget {
public:
    explicit WindowFrame(Window& owner);

    QWidget* Content() const { return m_content; }
    void SetMenuBar(QWidget* bar);
    QWidget* MenuBar() const { return m_menuBar; }
    void SetMenuBarShown(bool shown);
    // Height the menu bar takes above the content (0 when there is none).
    int MenuBarHeight() const;
    // Sizes the frame around a content area of that size.
    void SetContentSize(int width, int height, bool fixed);
    void ArrangeChildren();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Window& m_owner;
    QWidget* m_content;
    QPointer<QWidget> m_menuBar;
    bool m_menuBarShown = true;
};

} // namespace platform
