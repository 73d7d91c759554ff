#include "platform/gui/Picture.h"

#include <algorithm>

namespace platform {

Picture::Picture(int width, int height) : m_width(width), m_height(height)
{
    QImage bitmap(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    m_images.push_back(std::move(bitmap));
}

Picture::Picture(int width, int height, std::vector<Picture> representations) : m_width(width), m_height(height)
{
    for (Picture& picture : representations) {
        for (QImage& image : picture.m_images) m_images.push_back(std::move(image));
    }
    if (m_images.empty()) *this = Picture(width, height);
    std::stable_sort(m_images.begin(), m_images.end(), [](const QImage& a, const QImage& b) { return a.width() < b.width(); });
}

QImage Picture::ForPixelRatio(double pixelRatio) const
{
    const double wanted = std::max(1, m_width) * pixelRatio;
    auto chosen = std::find_if(m_images.begin(), m_images.end(), [wanted](const QImage& image) { return image.width() >= wanted; });
    QImage image = chosen != m_images.end() ? *chosen : m_images.back();
    image.setDevicePixelRatio(static_cast<double>(image.width()) / std::max(1, m_width));
    return image;
}

} // namespace platform
