// A drag source for the end-to-end test, standing in for a file manager:
// one small window per path on the command line, titled "Drag source 1",
// "Drag source 2" and so on. Pressing the mouse button on a window starts a
// drag that carries its path as a file URL and offers to copy it, as a file
// manager does. The program reports on its standard output when a drag
// starts ("drag N started") and how it ended ("drag N: copy", or "link",
// "move", "ignore"), so that the test can wait for the drop to be done.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

const char* ActionName(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction: return "copy";
    case Qt::MoveAction: return "move";
    case Qt::LinkAction: return "link";
    default: return "ignore";
    }
}

class DragSourceWindow : public QLabel {
public:
    DragSourceWindow(int number, const QString& path) : m_number(number), m_path(path)
    {
        setWindowTitle(QStringLiteral("Drag source %1").arg(number));
        setText(QUrl::fromLocalFile(path).fileName());
        setAlignment(Qt::AlignCenter);
        setFrameShape(QFrame::Box);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) return;
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_path)});
        // On the heap and left to Qt: the target asks for the data after the
        // drop, when exec() has already returned, and Qt deletes the drag
        // once the target has said it is finished.
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        std::cout << "drag " << m_number << " started" << std::endl;
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        std::cout << "drag " << m_number << ": " << ActionName(action) << std::endl;
    }

private:
    int m_number;
    QString m_path;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList paths = app.arguments().mid(1);
    if (paths.isEmpty()) {
        std::cerr << "usage: drag_source PATH..." << std::endl;
        return 2;
    }
    // A column to the right of where the program's window opens.
    std::vector<std::unique_ptr<DragSourceWindow>> windows;
    for (int i = 0; i < paths.size(); ++i) {
        auto window = std::make_unique<DragSourceWindow>(i + 1, paths[i]);
        window->setGeometry(800, 60 + 140 * i, 200, 90);
        window->show();
        windows.push_back(std::move(window));
    }
    return app.exec();
}
