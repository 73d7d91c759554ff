#include "platform/gui/Controls.h"

#include <optional>

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

#include "platform/core/Exceptions.h"
#include "platform/gui/Runtime.h"
#include "platform/gui/Window.h"

namespace platform {
namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Sets an explicit size in pixels, so that the designed sizes give the same
// pictures as on the platform the layout was made for; 0 keeps the standard
// size of the system font.
void ApplyFontSize(QWidget* widget, double size)
{
    QFont font = widget->font();
    if (size > 0) {
        font.setPixelSize(static_cast<int>(size + 0.5));
    } else {
        font = QFont();
    }
    widget->setFont(font);
}

// The path of a file URL of this machine, as the bytes that the file system
// knows; nothing for any other URL. QUrl::toLocalFile() is not used: it turns
// bytes that are not UTF-8 into U+FFFD, and that path names no file.
std::optional<std::string> LocalPath(const QUrl& url)
{
    if (!url.isLocalFile()) return std::nullopt;
    if (!url.host().isEmpty() && url.host() != QStringLiteral("localhost")) return std::nullopt;
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// A zone only refers to a dropped file and never takes it over, so it answers
// "copy" or "link", never "move": after a move a file manager may delete the
// original. A drag that offers neither still reaches the zone, but its
// source is told that nothing was done.
Qt::DropAction ActionThatKeepsTheSource(Qt::DropActions offered)
{
    if (offered & Qt::CopyAction) return Qt::CopyAction;
    if (offered & Qt::LinkAction) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

// The group box's widget: a drop target for the files of a drag. Every drag
// is let through, also one without files, so that the zone's own handler
// decides what it accepts and can tell the user why it refused.
class GroupBoxWidget : public QGroupBox {
public:
    explicit GroupBoxWidget(GroupBox& owner) : m_owner(owner) {}

protected:
    // QGroupBox keeps room for a title even when it has none, and the style
    // draws the frame that much below the box's top edge. Without a title the
    // frame is drawn here on the box's own rectangle, in colours of its
    // palette.
    void paintEvent(QPaintEvent* event) override
    {
        if (!title().isEmpty() || isCheckable()) {
            QGroupBox::paintEvent(event);
            return;
        }
        QColor edge = palette().color(QPalette::WindowText);
        QColor fill = edge;
        edge.setAlphaF(0.1f);
        fill.setAlphaF(0.015f);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(edge);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }

    void dragEnterEvent(QDragEnterEvent* event) override { LetThrough(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { LetThrough(event); }
    void dropEvent(QDropEvent* event) override
    {
        std::vector<FolderItem> items;
        for (const QUrl& url : event->mimeData()->urls()) {
            if (const auto path = LocalPath(url)) items.emplace_back(*path);
        }
        LetThrough(event);
        DragItem drag(std::move(items));
        m_owner.Drop(drag, static_cast<int>(event->dropAction()));
        if (ActionThatKeepsTheSource(event->possibleActions()) == Qt::IgnoreAction) {
            event->setDropAction(Qt::IgnoreAction);
            event->ignore();
        }
    }

private:
    static void LetThrough(QDropEvent* event)
    {
        const Qt::DropAction kept = ActionThatKeepsTheSource(event->possibleActions());
        event->setDropAction(kept != Qt::IgnoreAction ? kept : event->proposedAction());
        event->accept();
    }

    GroupBox& m_owner;
};

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(Canvas& owner) : m_owner(owner)
    {
        // Clicks and drags go to whatever lies below the canvas: an icon must
        // not hide its zone from a drop.
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const auto picture = m_owner.Backdrop();
        if (!picture) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, picture->Width(), picture->Height()), picture->ForPixelRatio(devicePixelRatioF()));
    }

private:
    Canvas& m_owner;
};

} // namespace

// ---- Control

Control::Control(QWidget* widget) : m_widget(widget) {}

Control::~Control()
{
    delete m_widget.data();
}

void Control::Attach(Window* window, std::string name)
{
    m_window = window;
    m_name = std::move(name);
    m_widget->setObjectName(ToQString(m_name));
    m_widget->setParent(window->ContentWidget());
    m_widget->setVisible(m_visible);
    Place();
}

void Control::SetInitialParent(const std::string& groupBoxName)
{
    m_parentGroup = nullptr;
    if (!groupBoxName.empty() && m_window != nullptr) {
        m_parentGroup = dynamic_cast<GroupBox*>(m_window->ControlByName(groupBoxName));
        if (m_parentGroup == nullptr) throw NilObjectException("No group box named " + groupBoxName);
    }
    QWidget* parent = m_parentGroup != nullptr ? m_parentGroup->Widget()
                      : m_window != nullptr    ? m_window->ContentWidget()
                                               : nullptr;
    m_widget->setParent(parent);
    m_widget->setVisible(m_visible);
    Place();
}

// Positions are kept in window content coordinates and turned into the
// coordinates of the widget's parent here.
void Control::Place()
{
    int x = m_left, y = m_top;
    if (m_parentGroup != nullptr) {
        x -= m_parentGroup->Left();
        y -= m_parentGroup->Top();
    }
    m_widget->setGeometry(x, y, m_width, m_height);
}

void Control::SetLeft(int left) { m_left = left; Place(); }
void Control::SetTop(int top) { m_top = top; Place(); }
void Control::SetWidth(int width) { m_width = width; Place(); }
void Control::SetHeight(int height) { m_height = height; Place(); }

void Control::SetGeometry(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    Place();
}

bool Control::Enabled() const { return m_widget->isEnabled(); }
void Control::SetEnabled(bool enabled) { m_widget->setEnabled(enabled); }

void Control::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_window != nullptr) m_widget->setVisible(visible);
}

std::string Control::Tooltip() const { return m_widget->toolTip().toStdString(); }
void Control::SetTooltip(const std::string& tip) { m_widget->setToolTip(ToQString(tip)); }

void Control::BringToFront() { m_widget->raise(); }

// ---- DragItem

FolderItem DragItem::GetFolderItem() const
{
    if (m_items.empty()) throw NilObjectException("The drag holds no file");
    return m_items.front();
}

// ---- GroupBox

GroupBox::GroupBox() : Control(new GroupBoxWidget(*this)) {}

std::string GroupBox::Caption() const { return static_cast<QGroupBox*>(Widget())->title().toStdString(); }
void GroupBox::SetCaption(const std::string& caption) { static_cast<QGroupBox*>(Widget())->setTitle(ToQString(caption)); }
void GroupBox::SetFontSize(double size) { ApplyFontSize(Widget(), size); }

void GroupBox::AcceptFileDrop(const std::string& fileTypeName)
{
    m_acceptedTypes.push_back(fileTypeName);
    Widget()->setAcceptDrops(true);
}

void GroupBox::Drop(DragItem& item, int action)
{
    if (DropObject) runtime::Dispatch([&] { DropObject(*this, item, action); });
}

void GroupBox::RaiseOpen()
{
    if (Open) Open(*this);
}

// ---- Canvas

Canvas::Canvas() : Control(new CanvasWidget(*this)) {}

void Canvas::SetBackdrop(std::shared_ptr<const Picture> picture)
{
    m_backdrop = std::move(picture);
    Widget()->update();
}

// ---- Label

Label::Label() : Control(new QLabel)
{
    LabelWidget()->setTextFormat(Qt::PlainText);
    ApplyAlignment();
}

QLabel* Label::LabelWidget() const { return static_cast<QLabel*>(Widget()); }

std::string Label::Text() const { return m_text; }

void Label::SetText(const std::string& text)
{
    m_text = text;
    LabelWidget()->setText(ToQString(text));
}

void Label::SetTextAlign(int code)
{
    m_textAlign = code;
    ApplyAlignment();
}

int Label::TextAlignment() const
{
    switch (m_textAlign) {
    case 1: return 2;
    case 2: return 3;
    default: return 1;
    }
}

void Label::SetTextAlignment(int designed)
{
    SetTextAlign(designed == 2 ? 1 : designed == 3 ? 2 : 0);
}

void Label::ApplyAlignment()
{
    const Qt::Alignment horizontal = m_textAlign == 1 ? Qt::AlignHCenter : m_textAlign == 2 ? Qt::AlignRight : Qt::AlignLeft;
    LabelWidget()->setAlignment(horizontal | Qt::AlignVCenter);
}

void Label::SetTextSize(double size)
{
    m_textSize = size;
    ApplyFontSize(Widget(), size);
}

// ---- PushButton

PushButton::PushButton() : Control(new QPushButton)
{
    QObject::connect(ButtonWidget(), &QPushButton::clicked, [this] { Press(); });
}

QPushButton* PushButton::ButtonWidget() const { return static_cast<QPushButton*>(Widget()); }

std::string PushButton::Caption() const { return m_caption; }

void PushButton::SetCaption(const std::string& caption)
{
    m_caption = caption;
    ButtonWidget()->setText(ToQString(caption));
}

void PushButton::SetFontSize(double size) { ApplyFontSize(Widget(), size); }

void PushButton::Press()
{
    if (Action) runtime::Dispatch([this] { Action(*this); });
}

// ---- Separator

Separator::Separator() : Control(new QFrame)
{
    auto* line = static_cast<QFrame*>(Widget());
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
}

} // namespace platform
