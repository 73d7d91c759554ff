#include "platform/gui/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStringList>

#include "platform/core/Text.h"
#include "platform/gui/FileType.h"
#include "platform/gui/Window.h"

namespace platform {
namespace {

MessageDialog::Responder g_messageResponder;
SaveAsDialog::Responder g_saveResponder;
std::function<void(const std::string&)> g_msgBoxResponder;

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Shows the box's texts exactly as they are: by default Qt guesses whether a
// text is markup, and a path such as "<i>ro/x.glyphs" would be shown without
// its "<i>", in italics. The explanation has a label of its own, which the
// box's format does not reach (Qt 6.4), so it is set too.
void ShowTextsAsPlainText(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    if (auto* explanation = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        explanation->setTextFormat(Qt::PlainText);
    }
}

QMessageBox::Icon ToQtIcon(int code)
{
    switch (code) {
    case 0: return QMessageBox::Information;
    case 1: return QMessageBox::Warning; // the caution icon
    case 2: return QMessageBox::Critical;
    case 3: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

// Name filters for the registered types that the filter text names; a type
// the framework does not know is skipped.
QStringList NameFilters(const std::string& filter, QString& defaultSuffix)
{
    QStringList filters;
    for (const std::string& name : Split(filter, ";")) {
        const FileType* type = FindRegisteredFileType(name);
        if (type == nullptr) continue;
        QStringList patterns;
        for (const std::string& extension : type->ExtensionList()) {
            patterns << QStringLiteral("*.") + ToQString(extension);
            if (defaultSuffix.isEmpty()) defaultSuffix = ToQString(extension);
        }
        filters << QStringLiteral("%1 (%2)").arg(ToQString(type->Name), patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

// Qt's own file dialog keeps its history, last folder and view in the user's
// QtProject.conf, shared by every Qt program, and reads them back in the next
// run. The program keeps no such state: the user's settings of that format
// are sent below /dev/null, where no file can be found or made, not even by
// root.
void KeepNoFileDialogState()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

} // namespace

MessageDialog::MessageDialog()
{
    ActionButton.Caption = "OK";
    CancelButton.Caption = "Cancel";
    CancelButton.Visible = false;
    AlternateActionButton.Caption = "Don't Save";
    AlternateActionButton.Visible = false;
}

MessageDialog::Pressed MessageDialog::ShowModal() { return Show(nullptr); }
MessageDialog::Pressed MessageDialog::ShowModalWithin(Window& parent) { return Show(&parent); }

void MessageDialog::SetResponderForTesting(Responder responder) { g_messageResponder = std::move(responder); }

MessageDialog::Pressed MessageDialog::Show(Window* parent)
{
    if (g_messageResponder) return g_messageResponder(*this, parent);

    QMessageBox box(parent != nullptr ? parent->Handle() : nullptr);
    box.setIcon(ToQtIcon(Icon));
    box.setText(ToQString(Message));
    box.setInformativeText(ToQString(Explanation));
    ShowTextsAsPlainText(box);
    box.setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    QPushButton* action = box.addButton(ToQString(ActionButton.Caption), QMessageBox::AcceptRole);
    QPushButton* cancel = CancelButton.Visible ? box.addButton(ToQString(CancelButton.Caption), QMessageBox::RejectRole) : nullptr;
    QPushButton* alternate = AlternateActionButton.Visible
        ? box.addButton(ToQString(AlternateActionButton.Caption), QMessageBox::DestructiveRole)
        : nullptr;
    box.setDefaultButton(action);
    box.setEscapeButton(cancel != nullptr ? cancel : action);
    box.exec();
    if (box.clickedButton() == alternate && alternate != nullptr) return Pressed::Alternate;
    if (box.clickedButton() == cancel && cancel != nullptr) return Pressed::Cancel;
    return Pressed::Action;
}

std::optional<FolderItem> SaveAsDialog::ShowModal() { return Show(nullptr); }
std::optional<FolderItem> SaveAsDialog::ShowModalWithin(Window& parent) { return Show(&parent); }

void SaveAsDialog::SetResponderForTesting(Responder responder) { g_saveResponder = std::move(responder); }

std::optional<FolderItem> SaveAsDialog::Show(Window* parent)
{
    if (g_saveResponder) return g_saveResponder(*this, parent);

    KeepNoFileDialogState();
    QFileDialog dialog(parent != nullptr ? parent->Handle() : nullptr, ToQString(Title));
    // Qt's own dialog behaves the same on every desktop, and can be driven
    // from the keyboard alone.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    QString defaultSuffix;
    const QStringList filters = NameFilters(Filter, defaultSuffix);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!defaultSuffix.isEmpty()) dialog.setDefaultSuffix(defaultSuffix);
    dialog.setDirectory(InitialDirectory ? ToQString(InitialDirectory->NativePath()) : QDir::homePath());
    dialog.selectFile(ToQString(SuggestedFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FolderItem(dialog.selectedFiles().constFirst().toStdString());
}

void MsgBox(const std::string& text)
{
    if (g_msgBoxResponder) {
        g_msgBoxResponder(text);
        return;
    }
    QMessageBox box;
    box.setText(ToQString(text));
    ShowTextsAsPlainText(box);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void SetMsgBoxResponderForTesting(std::function<void(const std::string&)> responder)
{
    g_msgBoxResponder = std::move(responder);
}

} // namespace platform
