#pragma once

#include <vector>

#include <QImage>

namespace platform {

// A picture of a size in points. It holds one bitmap, or several
// representations of the same image at growing pixel sizes (1x, 2x), of
// which a drawing takes the one that suits the screen's pixel ratio.
class Picture {
public:
    // A new, transparent picture of width x height pixels.
    Picture(int width, int height);
    // One picture of width x height points made of the given bitmaps.
    Picture(int width, int height, std::vector<Picture> representations);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The bitmaps, smallest first; a plain picture has one.
    const std::vector<QImage>& Representations() const { return m_images; }
    // The bitmap to draw into (the first representation).
    QImage& Bitmap() { return m_images.front(); }

    // The smallest representation with at least `pixelRatio` pixels per point,
    // or the largest when none has; its devicePixelRatio is set accordingly.
    QImage ForPixelRatio(double pixelRatio) const;

private:
    int m_width;
    int m_height;
    std::vector<QImage> m_images;
};

} // namespace platform
