#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <vector>

#include "platform/gui/AppKit.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/FileType.h"
#include "tests/support/MainWindowFixture.h"
#include "window/General.h"

using namespace platform;

namespace {

// Runs `inspect` on the modal widget as soon as it is shown, then lets the
// test go on; the dialog is closed by `inspect`.
template <class Inspect>
void WhenModalShows(Inspect inspect)
{
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            WhenModalShows(inspect);
            return;
        }
        inspect(modal);
    });
}

struct ShownAlert {
    MessageDialog dialog;
    Window* parent = nullptr;
    int activations = 0; // how often the application had been activated when it showed
};

} // namespace

class GeneralTest : public MainWindowFixture {
protected:
    void TearDown() override
    {
        MessageDialog::SetResponderForTesting(nullptr);
        SaveAsDialog::SetResponderForTesting(nullptr);
        MainWindowFixture::TearDown();
    }
};

TEST_F(GeneralTest, AlertHasTheCautionIconAndOnlyAnOkButtonAndActivatesFirst)
{
    std::vector<ShownAlert> shown;
    MessageDialog::SetResponderForTesting([&](const MessageDialog& dialog, Window* parent) {
        shown.push_back({dialog, parent, appkit::NSApplication::SharedApplication().ActivationCount()});
        return MessageDialog::Pressed::Action;
    });
    const int activations = appkit::NSApplication::SharedApplication().ActivationCount();

    General::ShowAlertOK("Not a Glyphs app.", "", nullptr);
    General::ShowAlertOK("Sheet", "More", window);

    ASSERT_EQ(shown.size(), 2u);
    const MessageDialog& alert = shown[0].dialog;
    EXPECT_EQ(alert.Icon, 1);
    EXPECT_EQ(alert.Message, "Not a Glyphs app.");
    EXPECT_EQ(alert.Explanation, "");
    EXPECT_EQ(alert.ActionButton.Caption, "OK");
    EXPECT_TRUE(alert.ActionButton.Visible);
    EXPECT_FALSE(alert.CancelButton.Visible);
    EXPECT_FALSE(alert.AlternateActionButton.Visible);
    EXPECT_EQ(shown[0].parent, nullptr);
    EXPECT_EQ(shown[1].parent, window);
    EXPECT_EQ(shown[1].dialog.Explanation, "More");
    EXPECT_EQ(shown[0].activations, activations + 1); // brought to the front before it shows
    EXPECT_EQ(shown[1].activations, activations + 2);
}

TEST_F(GeneralTest, RealAlertShowsOneOkButtonApplicationModal)
{
    QStringList buttons;
    QString text;
    Qt::WindowModality modality = Qt::NonModal;
    std::vector<Qt::TextFormat> formats;
    WhenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) buttons << button->text();
        text = box->text();
        modality = box->windowModality();
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) formats.push_back(label->textFormat());
        }
        box->buttons().constFirst()->click();
    });
    // Texts that look like markup are shown as they are: a path may hold "<i>".
    General::ShowAlertOK("The <b>Glyphs</b> file is empty.", "/tmp/<i>ro/Font.glyphs", nullptr);
    EXPECT_EQ(buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(text, QStringLiteral("The <b>Glyphs</b> file is empty."));
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_EQ(formats, (std::vector<Qt::TextFormat>{Qt::PlainText, Qt::PlainText})); // the message and the explanation
}

TEST_F(GeneralTest, SavePanelSuggestsTheNameAndOffersOneGlyphsType)
{
    std::optional<SaveAsDialog> asked;
    SaveAsDialog::SetResponderForTesting([&](const SaveAsDialog& dialog, Window*) -> std::optional<FolderItem> {
        asked = dialog;
        return FolderItem("/tmp/Repaired_3.2-3259.glyphs");
    });
    const auto chosen = General::ShowSavePanel("Repaired_3.2-3259.glyphs", "glyphs", std::nullopt, nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Name(), "Repaired_3.2-3259.glyphs");
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->SuggestedFileName, "Repaired_3.2-3259.glyphs");
    EXPECT_EQ(asked->Filter, "FileType");
    EXPECT_FALSE(asked->InitialDirectory);
    const FileType* type = FindRegisteredFileType("FileType");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->ExtensionList(), std::vector<std::string>{"glyphs"});

    SaveAsDialog::SetResponderForTesting([](const SaveAsDialog&, Window*) { return std::optional<FolderItem>(); });
    EXPECT_FALSE(General::ShowSavePanel("x.glyphs", "glyphs", std::nullopt, nullptr));
}

TEST_F(GeneralTest, RealSaveDialogOffersTheTypeAndTheNameAndCancelsToNothing)
{
    TempDir dir;
    QString fileName;
    QStringList filters;
    WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        if (auto* edit = dialog->findChild<QLineEdit*>()) fileName = edit->text();
        dialog->reject();
    });
    const auto chosen = General::ShowSavePanel("Repaired_1.0-1.glyphs", "glyphs", FolderItem(dir.Path()), nullptr);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(filters, QStringList{QStringLiteral("FileType (*.glyphs)")});
    EXPECT_EQ(fileName, QStringLiteral("Repaired_1.0-1.glyphs"));
}

TEST_F(GeneralTest, RealSaveDialogGivesTheTypedFile)
{
    TempDir dir;
    WhenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(dir.Path("Out")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto chosen = General::ShowSavePanel("Repaired_1.0-1.glyphs", "glyphs", FolderItem(dir.Path()), nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->NativePath(), dir.Path("Out.glyphs")); // the type's extension is added
    EXPECT_FALSE(chosen->Exists());                           // nothing is written here
}
