#include "platform/gui/Window.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include <QCloseEvent>
#include <QResizeEvent>
#include <QTimer>

#include "platform/core/FolderItem.h"
#include "platform/gui/Controls.h"
#include "platform/gui/FrameExtents.h"
#include "platform/gui/MenuItem.h"
#include "platform/gui/Runtime.h"
#include "platform/gui/WindowFrame.h"

namespace platform {
namespace {

// The registries live until the process ends and are never destroyed: a
// window still held at exit is released by the runtime's finalisation, and
// its destructor must find them intact.
std::vector<Window*>& Registry()
{
    static auto* windows = new std::vector<Window*>;
    return *windows;
}

std::map<std::string, std::unique_ptr<Window>>& Implicit()
{
    static auto* instances = new std::map<std::string, std::unique_ptr<Window>>;
    return *instances;
}

// Closed implicit instances waiting for the event loop to release them.
std::vector<std::unique_ptr<Window>>& PendingRelease()
{
    static auto* pending = new std::vector<std::unique_ptr<Window>>;
    return *pending;
}

void ReleasePending()
{
    std::vector<std::unique_ptr<Window>> released = std::move(PendingRelease());
    PendingRelease().clear();
}

void Unregister(Window* window)
{
    auto& windows = Registry();
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void MoveToFront(Window* window)
{
    Unregister(window);
    Registry().insert(Registry().begin(), window);
}

// An implicit instance is released once it has closed; the release waits for
// the event loop, since the close may come from inside the window's own code.
void ReleaseIfImplicit(Window* window)
{
    for (auto it = Implicit().begin(); it != Implicit().end(); ++it) {
        if (it->second.get() == window) {
            PendingRelease().push_back(std::move(it->second));
            Implicit().erase(it);
            QTimer::singleShot(0, [] { ReleasePending(); });
            return;
        }
    }
}

int ToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, -1000000, 1000000));
}

} // namespace

// ---- WindowFrame

WindowFrame::WindowFrame(Window& owner) : QWidget(nullptr, Qt::Window), m_owner(owner), m_content(new QWidget(this))
{
    m_content->setObjectName(QStringLiteral("content"));
}

void WindowFrame::SetMenuBar(QWidget* bar)
{
    if (m_menuBar) m_menuBar->deleteLater();
    m_menuBar = bar;
    if (bar != nullptr) {
        bar->setParent(this);
        bar->setVisible(m_menuBarShown);
    }
    SetContentSize(m_content->width(), m_content->height(), minimumSize() == maximumSize());
}

void WindowFrame::SetMenuBarShown(bool shown)
{
    m_menuBarShown = shown;
    if (m_menuBar) m_menuBar->setVisible(shown);
    SetContentSize(m_content->width(), m_content->height(), minimumSize() == maximumSize());
}

int WindowFrame::MenuBarHeight() const
{
    return (m_menuBar && m_menuBarShown) ? m_menuBar->sizeHint().height() : 0;
}

void WindowFrame::SetContentSize(int width, int height, bool fixed)
{
    const QSize frameSize(width, height + MenuBarHeight());
    if (fixed) {
        setFixedSize(frameSize);
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(frameSize);
    }
    ArrangeChildren();
}

void WindowFrame::ArrangeChildren()
{
    const int barHeight = MenuBarHeight();
    if (m_menuBar) m_menuBar->setGeometry(0, 0, width(), barHeight);
    m_content->setGeometry(0, barHeight, width(), height() - barHeight);
}

void WindowFrame::closeEvent(QCloseEvent* event)
{
    if (m_owner.IsOpen()) m_owner.HandleCloseRequest();
    event->accept();
}

void WindowFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_owner.IsOpen()) MoveToFront(&m_owner);
    QWidget::changeEvent(event);
}

void WindowFrame::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    m_owner.FrameMayHaveChanged();
}

// The first paint comes once the window is on the screen, by which time the
// window manager has usually said how large its decorations are.
void WindowFrame::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    m_owner.FrameMayHaveChanged();
}

void WindowFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_owner.FrameMayHaveChanged();
}

void WindowFrame::resizeEvent(QResizeEvent* event)
{
    const QSize oldContent = m_content->size();
    ArrangeChildren();
    const QSize newContent = m_content->size();
    if (oldContent != newContent && oldContent.isValid()) {
        m_owner.ContentResized(oldContent.width(), oldContent.height(), newContent.width(), newContent.height());
    }
    QWidget::resizeEvent(event);
    m_owner.FrameMayHaveChanged();
}

// ---- Window

Window::Window() : m_frame(std::make_unique<WindowFrame>(*this)), m_content(m_frame->Content())
{
    m_frame->SetContentSize(300, 300, false);
}

Window::~Window()
{
    Unregister(this);
    // Controls inside group boxes go before their boxes.
    while (!m_controls.empty()) m_controls.pop_back();
}

void Window::Construct()
{
    // Every window shows the application's menu bar above its content; the
    // new window is not placed yet, so the bar simply takes its top.
    if (QWidget* bar = NewApplicationMenuBarWidget()) {
        m_frame->SetMenuBar(bar);
        ApplySizeLimits();
    }
    Layout();
    CreateControls();
    m_open = true;
    Registry().insert(Registry().begin(), this);
    for (auto& [name, control] : m_controls) {
        Control* opened = control.get();
        runtime::Dispatch([opened] { opened->RaiseOpen(); });
    }
    runtime::Dispatch([this] { Event_Open(); });
    if (m_open && m_visible) m_frame->show();
}

std::int64_t Window::Left() const { return m_frame->geometry().x(); }
std::int64_t Window::Top() const { return m_frame->geometry().y() + m_frame->MenuBarHeight(); }
std::int64_t Window::Width() const { return m_content->width(); }
std::int64_t Window::Height() const { return m_content->height(); }

void Window::SetLeft(std::int64_t left)
{
    QRect client = m_frame->geometry();
    client.moveLeft(ToInt(left));
    m_frame->setGeometry(client);
}

void Window::SetTop(std::int64_t top)
{
    QRect client = m_frame->geometry();
    client.moveTop(ToInt(top) - m_frame->MenuBarHeight());
    m_frame->setGeometry(client);
}

void Window::SetWidth(std::int64_t width)
{
    m_frame->SetContentSize(ToInt(width), m_content->height(), !m_resizeable);
}

void Window::SetHeight(std::int64_t height)
{
    m_frame->SetContentSize(m_content->width(), ToInt(height), !m_resizeable);
}

// The window manager's decorations around the client area: as Qt knows them
// once the window is shown, and as the window manager estimates them before.
QMargins Window::FrameMargins() const
{
    const QRect client = m_frame->geometry();
    const QRect outer = m_frame->frameGeometry();
    if (m_frame->isVisible() || client != outer) {
        return QMargins(client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
                        outer.bottom() - client.bottom());
    }
    if (!m_estimatedMargins) m_estimatedMargins = EstimatedFrameMargins(*m_frame);
    return *m_estimatedMargins;
}

// The outer frame: the decorations, the menu bar and the content.
Rect Window::Bounds() const
{
    const QRect frame = m_frame->geometry().marginsAdded(FrameMargins());
    return Rect{static_cast<double>(frame.x()), static_cast<double>(frame.y()),
                static_cast<double>(frame.width()), static_cast<double>(frame.height())};
}

// Sets the outer frame by placing the client area within it. Where nothing
// can tell the decorations before the window is shown, they count as none,
// as in Bounds, and the frame's corner is set once more when they appear, so
// that the window begins where it was asked to, title bar included.
void Window::SetBounds(const Rect& frame)
{
    const QMargins margins = FrameMargins();
    if (margins.isNull() && !m_frame->isVisible()) m_frameAskedBlind = frame;
    const int extraWidth = margins.left() + margins.right();
    const int extraHeight = margins.top() + margins.bottom() + m_frame->MenuBarHeight();
    const int width = std::max(0, static_cast<int>(std::trunc(frame.Width)) - extraWidth);
    const int height = std::max(0, static_cast<int>(std::trunc(frame.Height)) - extraHeight);
    m_frame->SetContentSize(width, height, !m_resizeable);
    const QPoint clientCorner(static_cast<int>(std::trunc(frame.Left)) + margins.left(),
                              static_cast<int>(std::trunc(frame.Top)) + margins.top());
    m_frame->setGeometry(QRect(clientCorner, m_frame->size()));
}

void Window::PlaceAgainWhenDecorated(std::function<void()> placement)
{
    if (m_frame->isVisible() || !FrameMargins().isNull()) return;
    m_placeWhenDecorated = std::move(placement);
}

// Once the decorations have appeared, a placement waiting for them is made
// again. Otherwise a frame asked for without them keeps the size it was given
// and only its corner moves, so that the decorations sit where it was asked
// to begin.
void Window::FrameMayHaveChanged()
{
    if ((!m_frameAskedBlind && !m_placeWhenDecorated) || !m_frame->isVisible()) return;
    const QRect client = m_frame->geometry();
    const QRect outer = m_frame->frameGeometry();
    if (client == outer) return;
    const std::optional<Rect> asked = std::exchange(m_frameAskedBlind, std::nullopt);
    if (const std::function<void()> placement = std::exchange(m_placeWhenDecorated, nullptr)) {
        runtime::Dispatch(placement);
        return;
    }
    const QPoint corner(static_cast<int>(std::trunc(asked->Left)), static_cast<int>(std::trunc(asked->Top)));
    m_frame->setGeometry(QRect(corner + (client.topLeft() - outer.topLeft()), client.size()));
}

void Window::SetMinWidth(std::int64_t value) { m_minWidth = value; ApplySizeLimits(); }
void Window::SetMinHeight(std::int64_t value) { m_minHeight = value; ApplySizeLimits(); }
void Window::SetMaxWidth(std::int64_t value) { m_maxWidth = value; ApplySizeLimits(); }
void Window::SetMaxHeight(std::int64_t value) { m_maxHeight = value; ApplySizeLimits(); }

void Window::ApplySizeLimits()
{
    if (!m_resizeable) {
        m_frame->SetContentSize(m_content->width(), m_content->height(), true);
        return;
    }
    const int bar = m_frame->MenuBarHeight();
    m_frame->setMinimumSize(ToInt(m_minWidth), ToInt(m_minHeight) + bar);
    m_frame->setMaximumSize(ToInt(std::min<std::int64_t>(m_maxWidth, QWIDGETSIZE_MAX)),
                            ToInt(std::min<std::int64_t>(m_maxHeight + bar, QWIDGETSIZE_MAX)));
}

void Window::SetResizeable(bool value)
{
    m_resizeable = value;
    m_frame->SetContentSize(m_content->width(), m_content->height(), !value);
    if (value) ApplySizeLimits();
    ApplyWindowFlags();
}

void Window::SetCloseButton(bool value) { m_closeButton = value; ApplyWindowFlags(); }
void Window::SetMinimizeButton(bool value) { m_minimizeButton = value; ApplyWindowFlags(); }
void Window::SetHasMaximizeButton(bool value) { m_maximizeButton = value; ApplyWindowFlags(); }
void Window::SetHasFullScreenButton(bool value) { m_fullScreenButton = value; ApplyWindowFlags(); }

void Window::ApplyWindowFlags()
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (m_closeButton) flags |= Qt::WindowCloseButtonHint;
    if (m_minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    // A window that cannot be resized gets no zoom button, whatever its design.
    if (m_maximizeButton && m_resizeable) flags |= Qt::WindowMaximizeButtonHint;
    if (m_fullScreenButton && m_resizeable) flags |= Qt::WindowFullscreenButtonHint;
    const bool shown = m_frame->isVisible();
    m_frame->setWindowFlags(flags);
    if (shown) m_frame->show();
}

std::string Window::Title() const { return m_title; }

void Window::SetTitle(const std::string& title)
{
    m_title = title;
    m_frame->setWindowTitle(QString::fromStdString(title));
}

void Window::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_open) m_frame->setVisible(visible);
}

void Window::SetMenuBarVisible(bool visible)
{
    m_menuBarVisible = visible;
    m_frame->SetMenuBarShown(visible);
}

void Window::Refresh(bool immediately)
{
    if (immediately) {
        m_frame->repaint();
    } else {
        m_frame->update();
    }
}

void Window::Close()
{
    if (m_open) m_frame->close();
}

void Window::HandleCloseRequest()
{
    runtime::Dispatch([this] { Event_Close(); });
    m_open = false;
    Unregister(this);
    ReleaseIfImplicit(this);
}

void Window::AddControl(const std::string& name, std::unique_ptr<Control> control)
{
    control->Attach(this, name);
    m_controls.emplace_back(name, std::move(control));
}

Control* Window::ControlByName(std::string_view name) const
{
    for (const auto& [controlName, control] : m_controls) {
        if (controlName == name) return control.get();
    }
    return nullptr;
}

std::vector<Control*> Window::Controls() const
{
    std::vector<Control*> controls;
    for (const auto& entry : m_controls) controls.push_back(entry.second.get());
    return controls;
}

QWidget* Window::Handle() const { return m_frame.get(); }
QWidget* Window::ContentWidget() const { return m_content; }

void Window::SetMenuBarWidget(QWidget* bar)
{
    const QRect client = m_frame->geometry();
    const std::int64_t top = Top();
    m_frame->SetMenuBar(bar);
    m_frame->setGeometry(client.x(), ToInt(top) - m_frame->MenuBarHeight(), m_frame->width(), m_frame->height());
    ApplySizeLimits();
}

QWidget* Window::MenuBarWidget() const { return m_frame->MenuBar(); }

void Window::SetRepresentedFilename(const std::string& path)
{
    m_representedFile = path;
    m_frame->setWindowFilePath(QString::fromStdString(path));
}

void Window::SetTitleWithRepresentedFilename(const std::string& path)
{
    SetRepresentedFilename(path);
    SetTitle(path.empty() ? std::string() : FolderItem(path).Name());
}

std::string Window::RepresentedFilename() const { return m_representedFile; }

void Window::ContentResized(int oldWidth, int oldHeight, int newWidth, int newHeight)
{
    const int dw = newWidth - oldWidth;
    const int dh = newHeight - oldHeight;
    for (auto& entry : m_controls) {
        Control& c = *entry.second;
        int left = c.Left(), top = c.Top(), width = c.Width(), height = c.Height();
        if (c.LockRight) {
            if (c.LockLeft) width += dw; else left += dw;
        }
        if (c.LockBottom) {
            if (c.LockTop) height += dh; else top += dh;
        }
        c.SetGeometry(left, top, width, height);
    }
}

std::vector<Window*> OpenWindows()
{
    return Registry();
}

Window* ImplicitInstance(const std::string& className)
{
    const auto found = Implicit().find(className);
    return found == Implicit().end() ? nullptr : found->second.get();
}

void SetImplicitInstance(const std::string& className, std::unique_ptr<Window> window)
{
    Implicit()[className] = std::move(window);
}

void ReleaseImplicitInstances()
{
    ReleasePending();
    std::map<std::string, std::unique_ptr<Window>> instances = std::move(Implicit());
    Implicit().clear();
}

} // namespace platform
