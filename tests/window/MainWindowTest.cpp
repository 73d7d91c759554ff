#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "platform/gui/Controls.h"
#include "tests/support/MainWindowFixture.h"
#include "window/Window1.h"

using namespace platform;

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, IsAFixedSizeWindowWithCloseAndMinimizeButtonsOnly)
{
    EXPECT_EQ(window->Width(), 370);
    EXPECT_EQ(window->Height(), 400);
    EXPECT_EQ(window->Title(), "Sorvanel");
    EXPECT_TRUE(window->CloseButton());
    EXPECT_TRUE(window->MinimizeButton());
    EXPECT_FALSE(window->HasMaximizeButton());
    EXPECT_FALSE(window->HasFullScreenButton());
    EXPECT_FALSE(window->Resizeable());

    const Qt::WindowFlags flags = window->Handle()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    // The user cannot resize it: the native window's size is fixed.
    EXPECT_EQ(window->Handle()->minimumSize(), window->Handle()->maximumSize());
    EXPECT_EQ(window->ContentWidget()->size(), QSize(370, 400));
}

TEST_F(MainWindowTest, ControlsStandInCreationOrderWithTheirDesignedPlaces)
{
    struct Row {
        const char* name;
        const char* parent;
        int left, top, width, height;
        bool lockLeft, lockTop, lockRight, lockBottom;
        int tabIndex;
    };
    const Row rows[] = {
        {"GroupBox1", "", 20, 20, 330, 90, true, true, true, false, 0},
        {"Canvas1", "GroupBox1", 32, 33, 64, 64, true, true, false, false, 0},
        {"Label1", "GroupBox1", 32, 33, 306, 64, true, true, true, false, 1},
        {"GroupBox2", "", 20, 122, 330, 90, true, true, true, false, 1},
        {"Canvas2", "GroupBox2", 32, 135, 64, 64, true, true, false, false, 0},
        {"Label2", "GroupBox2", 32, 135, 306, 64, true, true, true, false, 1},
        {"Canvas3", "", 32, 261, 64, 64, true, true, false, false, 2},
        {"GroupBox3", "", 20, 248, 330, 90, true, true, true, false, 3},
        {"Canvas4", "GroupBox3", 32, 261, 64, 64, true, true, false, false, 0},
        {"Label3", "GroupBox3", 32, 261, 306, 64, true, true, true, false, 1},
        {"PushButton1", "", 122, 350, 126, 20, true, true, false, false, 4},
        {"Separator1", "", 20, 228, 330, 4, true, true, true, false, 5},
        {"LabelCount", "", 260, 350, 90, 20, false, false, true, true, 6},
    };
    const std::vector<Control*> controls = window->Controls();
    ASSERT_EQ(controls.size(), std::size(rows));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Row& row = rows[i];
        const Control& c = *controls[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(c.Name(), row.name);
        EXPECT_EQ(c.ParentGroupBox() ? c.ParentGroupBox()->Name() : std::string(), row.parent);
        EXPECT_EQ((std::vector<int>{c.Left(), c.Top(), c.Width(), c.Height()}),
                  (std::vector<int>{row.left, row.top, row.width, row.height}));
        EXPECT_EQ((std::vector<bool>{c.LockLeft, c.LockTop, c.LockRight, c.LockBottom}),
                  (std::vector<bool>{row.lockLeft, row.lockTop, row.lockRight, row.lockBottom}));
        EXPECT_EQ(c.TabIndex, row.tabIndex);
        // The live widget sits at the same place in the content area.
        const QWidget* widget = c.Widget();
        const QPoint origin = widget->mapTo(window->ContentWidget(), QPoint(0, 0));
        EXPECT_EQ(QRect(origin, widget->size()), QRect(row.left, row.top, row.width, row.height));
    }
}

TEST_F(MainWindowTest, ZoneFramesAreDrawnOnTheirDesignedRectangles)
{
    const QImage shot = window->ContentWidget()->grab().toImage();
    // An edge differs from its neighbours on both sides: the window outside
    // and the zone inside.
    const auto isEdge = [&shot](int x, int y, int dx, int dy) {
        return shot.pixel(x, y) != shot.pixel(x - dx, y - dy) && shot.pixel(x, y) != shot.pixel(x + dx, y + dy);
    };
    for (const int top : {20, 122, 248}) {
        SCOPED_TRACE(top);
        const int middleX = 185, middleY = top + 45;
        EXPECT_TRUE(isEdge(middleX, top, 0, 1));
        EXPECT_TRUE(isEdge(middleX, top + 89, 0, 1));
        EXPECT_TRUE(isEdge(20, middleY, 1, 0));
        EXPECT_TRUE(isEdge(349, middleY, 1, 0));
    }
}

TEST_F(MainWindowTest, StartsIdleWithItsPromptsAndAnEmptyCount)
{
    struct ZoneLabel { Label& label; const char* text; };
    const ZoneLabel labels[] = {
        {window->Label1(), "Drop Old Glyphs App"},
        {window->Label2(), "Drop New Glyphs App"},
        {window->Label3(), "Drop Old Glyphs File"},
    };
    for (const ZoneLabel& zone : labels) {
        SCOPED_TRACE(zone.text);
        EXPECT_EQ(zone.label.Text(), zone.text);
        EXPECT_EQ(zone.label.LabelWidget()->text().toStdString(), zone.text);
        EXPECT_FALSE(zone.label.Enabled());
        EXPECT_EQ(zone.label.TextSize(), 15.0);
        EXPECT_EQ(zone.label.LabelWidget()->font().pixelSize(), 15);
        EXPECT_EQ(zone.label.TextAlign(), 1);
        EXPECT_EQ(zone.label.TextAlignment(), 2);
        EXPECT_TRUE(zone.label.LabelWidget()->alignment() & Qt::AlignHCenter);
    }
    EXPECT_EQ(window->LabelCount().Text(), "");
    EXPECT_TRUE(window->LabelCount().Enabled());
    EXPECT_EQ(window->LabelCount().TextAlign(), 2);
    EXPECT_TRUE(window->LabelCount().LabelWidget()->alignment() & Qt::AlignRight);
    EXPECT_EQ(window->LabelCount().Left() + window->LabelCount().Width(), 350);

    EXPECT_EQ(window->PushButton1().Caption(), "Repair");
    EXPECT_EQ(window->PushButton1().ButtonWidget()->text(), QStringLiteral("Repair"));
    EXPECT_EQ(window->PushButton1().Left() * 2 + window->PushButton1().Width(), 370);

    for (Canvas* canvas : {&window->Canvas1(), &window->Canvas2(), &window->Canvas3(), &window->Canvas4()}) {
        EXPECT_EQ(canvas->Backdrop(), nullptr) << canvas->Name();
    }
    EXPECT_FALSE(window->AppOLD);
    EXPECT_FALSE(window->AppNEW);
    EXPECT_FALSE(window->GlyphsFile);
}

TEST_F(MainWindowTest, ThirdZoneIconShowsAboveItsGroupBoxYetDropsReachTheZone)
{
    const QObjectList& stack = window->ContentWidget()->children();
    EXPECT_GT(stack.indexOf(window->Canvas3().Widget()), stack.indexOf(window->GroupBox3().Widget()));

    // A point on the icon: the widget under it belongs to the third zone.
    QWidget* hit = window->ContentWidget()->childAt(QPoint(40, 270));
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(hit == window->GroupBox3().Widget() || window->GroupBox3().Widget()->isAncestorOf(hit));
}

TEST_F(MainWindowTest, GroupBoxesAcceptTheirFileTypesWhenTheyOpen)
{
    EXPECT_EQ(window->GroupBox1().AcceptedFileTypes(), std::vector<std::string>{"Application"});
    EXPECT_EQ(window->GroupBox2().AcceptedFileTypes(), std::vector<std::string>{"Application"});
    EXPECT_EQ(window->GroupBox3().AcceptedFileTypes(), std::vector<std::string>{"Glyphs File"});
    EXPECT_TRUE(window->GroupBox3().Widget()->acceptDrops());
}

TEST_F(MainWindowTest, AccessorGivesTheOneWindowAndControlsByName)
{
    EXPECT_EQ(&Window1(), window);
    EXPECT_EQ(window->ControlByName("NoSuchControl"), nullptr);
    EXPECT_THROW(window->ControlAs<Label>("GroupBox1"), RuntimeException);
    EXPECT_TRUE(window->IsEventImplemented("Open"));
    EXPECT_TRUE(window->IsEventImplemented("Close"));
    EXPECT_FALSE(window->IsEventImplemented("Resized"));
}

TEST_F(MainWindowTest, ProxyIconRepresentsOnlyAnExistingFile)
{
    TempDir dir;
    const FolderItem file(dir.Write("Old.glyphs", "{}"));
    const FolderItem gone(dir.Path("Gone.glyphs"));

    window->SetProxyIcon(file, false);
    EXPECT_EQ(window->RepresentedFilename(), file.NativePath());
    EXPECT_EQ(window->Title(), "Sorvanel");

    window->SetProxyIcon(file, true);
    EXPECT_EQ(window->RepresentedFilename(), file.NativePath());
    EXPECT_EQ(window->Title(), "Old.glyphs");

    for (const auto& absent : {std::optional<FolderItem>(), std::optional<FolderItem>(gone)}) {
        for (bool withTitle : {false, true}) {
            window->SetProxyIcon(absent, withTitle);
            EXPECT_EQ(window->RepresentedFilename(), "");
            EXPECT_EQ(window->Title(), "");
        }
    }
}

TEST_F(MainWindowTest, RefreshPaintsBeforeItReturns)
{
    class PaintCounter : public QObject {
    public:
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    QApplication::processEvents();
    window->LabelCount().Widget()->installEventFilter(&counter);
    window->LabelCount().SetText("3/7");
    window->Refresh(true);
    // The label was painted with no turn of the event loop in between.
    EXPECT_GE(counter.paints, 1);
    window->LabelCount().Widget()->removeEventFilter(&counter);
}

TEST_F(MainWindowTest, ClosingReleasesTheWindowAndItsItems)
{
    window->AppOLD = FolderItem("/a/Glyphs.app");
    const QPointer<QWidget> nativeWindow = window->Handle();
    window->Close();
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(ImplicitInstance(Window1::kClassName), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(nativeWindow.isNull()); // the framework released the window
    window = nullptr;
}
