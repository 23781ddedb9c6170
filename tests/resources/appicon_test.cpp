#include "ui/AppIcon.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

const QString resourcesDir = QStringLiteral(TALLYWICK_RESOURCES_DIR);

QString icoPath()
{
    return resourcesDir + QStringLiteral("/tallywick.ico");
}

QString pngPath(int size)
{
    return resourcesDir + QStringLiteral("/icons/tallywick-%1.png").arg(size);
}

// What a Windows icon's directory and each image's bitmap header say.
struct IcoImage
{
    int size = 0;      // from the directory; 0 there means 256
    int height = 0;    // from the directory
    int bits = 0;      // from the directory
    qint64 bytes = 0;  // from the directory
    qint64 offset = 0; // from the directory
    // From the BITMAPINFOHEADER at offset.
    quint32 headerSize = 0;
    qint32 bmpWidth = 0;
    qint32 bmpHeight = 0; // colour rows plus mask rows
    int bmpPlanes = 0;
    int bmpBits = 0;
    quint32 compression = 0;
};

std::vector<IcoImage> readIcoDirectory(const QByteArray& ico)
{
    const auto* d = reinterpret_cast<const uchar*>(ico.constData());
    std::vector<IcoImage> images;
    if (ico.size() < 6 || qFromLittleEndian<quint16>(d) != 0 || qFromLittleEndian<quint16>(d + 2) != 1) {
        return images;
    }
    const int count = qFromLittleEndian<quint16>(d + 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const uchar* e = d + 6 + 16 * i;
        IcoImage img;
        img.size = e[0];
        img.height = e[1];
        img.bits = qFromLittleEndian<quint16>(e + 6);
        img.bytes = qFromLittleEndian<quint32>(e + 8);
        img.offset = qFromLittleEndian<quint32>(e + 12);
        if (img.offset + 40 <= ico.size()) {
            const uchar* h = d + img.offset;
            img.headerSize = qFromLittleEndian<quint32>(h);
            img.bmpWidth = qFromLittleEndian<qint32>(h + 4);
            img.bmpHeight = qFromLittleEndian<qint32>(h + 8);
            img.bmpPlanes = qFromLittleEndian<quint16>(h + 12);
            img.bmpBits = qFromLittleEndian<quint16>(h + 14);
            img.compression = qFromLittleEndian<quint32>(h + 16);
        }
        images.push_back(img);
    }
    return images;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage readIcoImage(int index)
{
    QImageReader reader(icoPath());
    if (!reader.jumpToImage(index)) {
        return QImage();
    }
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QImage readPng(int size)
{
    return QImage(pngPath(size)).convertToFormat(QImage::Format_ARGB32);
}

// Going between straight and premultiplied alpha may move a channel of a half-transparent pixel by one.
constexpr int roundingSlack = 2;

// The largest channel difference between two images of one size, over the pixels of b whose alpha is
// at least minAlpha; with minAlpha 0 the alpha channel counts too.
int largestDifference(const QImage& a, const QImage& b, int minAlpha)
{
    int worst = 0;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAlpha(q) < minAlpha) {
                continue;
            }
            if (minAlpha == 0) {
                worst = std::max(worst, std::abs(qAlpha(p) - qAlpha(q)));
                if (qAlpha(q) == 0) {
                    continue; // the colour under full transparency is not seen
                }
            }
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

int rowBytes(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

} // namespace

TEST(AppIconFile, HoldsTwelveImagesOfEverySizeAndDepth)
{
    const QByteArray ico = readAll(icoPath());
    ASSERT_FALSE(ico.isEmpty()) << icoPath().toStdString();
    const std::vector<IcoImage> images = readIcoDirectory(ico);
    ASSERT_EQ(images.size(), 12u);

    std::vector<std::pair<int, int>> found;
    for (const IcoImage& img : images) {
        SCOPED_TRACE(testing::Message() << img.size << " px, " << img.bits << " bpp");
        found.emplace_back(img.size, img.bits);
        EXPECT_EQ(img.height, img.size);
        ASSERT_LE(img.offset + img.bytes, ico.size());
        // Each image is a bottom-up BMP without compression: colour rows, then the AND mask.
        EXPECT_EQ(img.headerSize, 40u);
        EXPECT_EQ(img.bmpWidth, img.size);
        EXPECT_EQ(img.bmpHeight, 2 * img.size);
        EXPECT_EQ(img.bmpPlanes, 1);
        EXPECT_EQ(img.bmpBits, img.bits);
        EXPECT_EQ(img.compression, 0u);
        const qint64 palette = img.bits == 8 ? 256 * 4 : 0;
        const qint64 colour = qint64(rowBytes(img.size, img.bits)) * img.size;
        const qint64 mask = qint64(rowBytes(img.size, 1)) * img.size;
        EXPECT_EQ(img.bytes, 40 + palette + colour + mask);
    }
    std::sort(found.begin(), found.end());
    const std::vector<std::pair<int, int>> expected = {{16, 8},  {16, 32}, {24, 8},  {24, 32},
                                                       {32, 8},  {32, 32}, {48, 8},  {48, 32},
                                                       {64, 32}, {72, 32}, {96, 32}, {128, 32}};
    EXPECT_EQ(found, expected);
}

TEST(AppIconFile, QtReadsEveryImageWithItsTransparency)
{
    const std::vector<IcoImage> images = readIcoDirectory(readAll(icoPath()));
    QImageReader reader(icoPath());
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    ASSERT_EQ(reader.imageCount(), 12);
    ASSERT_EQ(images.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        const QImage img = readIcoImage(i);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), QSize(images[i].size, images[i].size));
        // The corners lie outside the rounded cover; the middle is the page.
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(img.width() - 1, img.height() - 1)), 0);
        EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
    }
}

TEST(AppIconFile, ImagesMatchThePngsOfTheSameSize)
{
    const std::vector<IcoImage> images = readIcoDirectory(readAll(icoPath()));
    ASSERT_EQ(images.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(testing::Message() << images[i].size << " px, " << images[i].bits << " bpp");
        const QImage ico = readIcoImage(i);
        const QImage png = readPng(images[i].size);
        ASSERT_EQ(ico.size(), png.size());
        if (images[i].bits == 32) {
            // True colour keeps every pixel, alpha included, as drawn.
            EXPECT_LE(largestDifference(ico, png, 0), roundingSlack);
            continue;
        }
        // 8 bits: the mask draws what is at least half opaque, in a colour near the drawn one.
        int maskMismatches = 0;
        for (int y = 0; y < png.height(); ++y) {
            for (int x = 0; x < png.width(); ++x) {
                if ((qAlpha(png.pixel(x, y)) >= 128) != (qAlpha(ico.pixel(x, y)) == 255)) {
                    ++maskMismatches;
                }
            }
        }
        EXPECT_EQ(maskMismatches, 0);
        EXPECT_LE(largestDifference(ico, png, 128), 24);
    }
}

TEST(AppIcon, OffersEverySizeForTheTitleBarsAndTheTaskBar)
{
    const QIcon icon = ui::appIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> available = icon.availableSizes();
    for (int size : ui::appIconSizes()) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(available.contains(QSize(size, size)));
        // Each size is its own drawing, not a scaled copy of another one.
        const QImage drawn = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(drawn.size(), QSize(size, size));
        EXPECT_LE(largestDifference(drawn, readPng(size), 0), roundingSlack);
    }
    EXPECT_EQ(ui::appIconSizes(), (QList<int>{16, 24, 32, 48, 64, 72, 96, 128}));
}
