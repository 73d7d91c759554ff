#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "platform/gui/Window.h"

// Drops a drag on the window at a point of its content area, the way a drag
// from another application arrives: the native window gets the drag events,
// and Qt hands them to the widget under the point that accepts drops, so a
// drop over a label or an icon must find its way to the zone. Returns the
// action reported back to the drag's source (IgnoreAction when refused).
inline Qt::DropAction DropAt(platform::Window& window, QPoint contentPoint, const QMimeData& data,
                             Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction)
{
    QWidget* frame = window.Handle();
    QWindow* native = frame->windowHandle();
    const QPointF at = window.ContentWidget()->mapTo(frame, contentPoint);

    QDragEnterEvent enter(at.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(at.toPoint(), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &move);
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

inline QUrl FileUrl(const std::string& path)
{
    return QUrl::fromEncoded(QByteArray("file://") + QByteArray::fromStdString(path).toPercentEncoding("/"));
}

inline Qt::DropAction DropFilesAt(platform::Window& window, QPoint contentPoint, const std::vector<std::string>& paths,
                                  Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) urls.append(FileUrl(path));
    data.setUrls(urls);
    return DropAt(window, contentPoint, data, offered);
}
