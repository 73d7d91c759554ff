#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/FolderItem.h"
#include "platform/gui/Picture.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace platform {

class Window;
class GroupBox;

// A control of a window. Its position is in the window's content
// coordinates, also when it sits inside a group box.
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return m_name; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetGeometry(int left, int top, int width, int height);

    // Moves the control into the named group box of its window, or back into
    // the window itself for an empty name. The position stays where it is.
    void SetInitialParent(const std::string& groupBoxName);
    GroupBox* ParentGroupBox() const { return m_parentGroup; }

    bool LockLeft = false;
    bool LockTop = false;
    bool LockRight = false;
    bool LockBottom = false;
    int TabIndex = 0;
    int TabPanelIndex = 0;
    bool TabStop = true;
    bool AllowAutoDeactivate = true;

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    std::string Tooltip() const;
    void SetTooltip(const std::string& tip);

    // Puts the control above its siblings that were created after it.
    void BringToFront();

    QWidget* Widget() const { return m_widget; }

protected:
    explicit Control(QWidget* widget);
    // Raised when the window opens, after all controls exist.
    virtual void RaiseOpen() {}

private:
    friend class Window;
    void Attach(Window* window, std::string name);
    void Place();

    QPointer<QWidget> m_widget;
    Window* m_window = nullptr;
    GroupBox* m_parentGroup = nullptr;
    std::string m_name;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = true;
};

// What a drag brings to a control: the files and folders it carries, in the
// order of the drag; the first is the one the drag presents.
class DragItem {
public:
    explicit DragItem(std::vector<FolderItem> items) : m_items(std::move(items)) {}
    bool FolderItemAvailable() const { return !m_items.empty(); }
    // The first item; throws NilObjectException when the drag holds none.
    FolderItem GetFolderItem() const;

private:
    std::vector<FolderItem> m_items;
};

class GroupBox : public Control {
public:
    GroupBox();
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetFontSize(double size);

    // Lets drags of the named registered file type reach DropObject.
    void AcceptFileDrop(const std::string& fileTypeName);
    const std::vector<std::string>& AcceptedFileTypes() const { return m_acceptedTypes; }

    std::function<void(GroupBox&)> Open;
    std::function<void(GroupBox&, DragItem&, int action)> DropObject;

    // Delivers a drop as the framework does (used by the widget and by tests).
    void Drop(DragItem& item, int action);

protected:
    void RaiseOpen() override;

private:
    std::vector<std::string> m_acceptedTypes;
};

class Canvas : public Control {
public:
    Canvas();
    // The picture shown, or none.
    std::shared_ptr<const Picture> Backdrop() const { return m_backdrop; }
    void SetBackdrop(std::shared_ptr<const Picture> picture);
    bool Transparent = true;
    bool AllowFocus = false;
    bool AllowFocusRing = true;
    bool AllowTabs = false;
    bool DoubleBuffer = false;

private:
    std::shared_ptr<const Picture> m_backdrop;
};

class Label : public Control {
public:
    Label();
    std::string Text() const;
    void SetText(const std::string& text);

    // The alignment in the framework's codes: 0 left, 1 centre, 2 right.
    int TextAlign() const { return m_textAlign; }
    void SetTextAlign(int code);
    // The same setting in its designed coding: 2 is centre, 3 is right, any
    // other value is left; read back, centre gives 2, right 3, left 1.
    int TextAlignment() const;
    void SetTextAlignment(int designed);

    // Font size in points; 0 is the standard size of the system font.
    // FontSize is the designed name of the same property.
    double TextSize() const { return m_textSize; }
    void SetTextSize(double size);
    double FontSize() const { return TextSize(); }
    void SetFontSize(double size) { SetTextSize(size); }

    bool Multiline = false;
    bool Selectable = false;
    bool Transparent = false;

    QLabel* LabelWidget() const;

private:
    void ApplyAlignment();
    std::string m_text; // kept as given: the widget shows invalid bytes replaced
    int m_textAlign = 0;
    double m_textSize = 0;
};

class PushButton : public Control {
public:
    PushButton();
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    void SetFontSize(double size);
    bool Default = false;
    bool Cancel = false;

    std::function<void(PushButton&)> Action;
    // Presses the button as a click does.
    void Press();

    QPushButton* ButtonWidget() const;

private:
    std::string m_caption;
};

class Separator : public Control {
public:
    Separator();
};

} // namespace platform
