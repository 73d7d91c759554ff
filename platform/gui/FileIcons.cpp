#include "platform/gui/FileIcons.h"

#include <filesystem>
#include <system_error>

#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>

namespace platform {
namespace {

// The theme that the program's packages bring along.
const QString kFallbackTheme = QStringLiteral("Adwaita");

} // namespace

// Without a desktop session Qt may know no icon theme at all (the offscreen
// platform) or only "hicolor", which holds no folder or document icons; it
// then falls back to a few small built-in bitmaps that blur when scaled up.
// In that case the system's icon folders are searched and Adwaita fills in.
void MakeSureAThemeGivesIcons()
{
    static const bool settled = [] {
        const QString probe = QStringLiteral("folder");
        if (QIcon::hasThemeIcon(probe)) return true;
        QStringList paths = QIcon::themeSearchPaths();
        const QStringList systemFolders = QStandardPaths::locateAll(
            QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory);
        for (const QString& folder : systemFolders) {
            if (!paths.contains(folder)) paths.append(folder);
        }
        QIcon::setThemeSearchPaths(paths);
        QIcon::setFallbackThemeName(kFallbackTheme);
        if (!QIcon::hasThemeIcon(probe)) QIcon::setThemeName(kFallbackTheme);
        return true;
    }();
    (void)settled;
}

namespace {

QIcon IconForPath(const std::string& nativePath)
{
    QFileIconProvider provider;
    const QString path = QFile::decodeName(QByteArray::fromStdString(nativePath));
    // A name with bytes that are not UTF-8 does not survive the trip through
    // QString, so Qt would not find the item; it gets the generic icon of
    // its kind instead.
    if (QFile::encodeName(path).toStdString() != nativePath) {
        std::error_code error;
        const bool folder = std::filesystem::is_directory(nativePath, error);
        return provider.icon(folder ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }
    return provider.icon(QFileInfo(path));
}

} // namespace

FileIcon::FileIcon(const std::string& nativePath)
{
    MakeSureAThemeGivesIcons();
    m_icon = IconForPath(nativePath);
}

void FileIcon::DrawInto(Picture& picture) const
{
    QImage& bitmap = picture.Bitmap();
    const QSize side = bitmap.size();
    const QPixmap pixmap = m_icon.pixmap(side, 1.0);
    if (pixmap.isNull()) return;
    // An icon that the theme has only in smaller sizes is scaled up; one that
    // is not square keeps its proportions and is centred.
    const QSize fitted = pixmap.size().scaled(side, Qt::KeepAspectRatio);
    const QPoint corner((side.width() - fitted.width()) / 2, (side.height() - fitted.height()) / 2);
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(corner, fitted), pixmap);
}

} // namespace platform
