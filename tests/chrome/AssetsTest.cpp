#include "ChromeTestSupport.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

TEST(Assets, EveryPictureTheWindowsNameExistsAtItsSize) {
    const std::pair<const char*, QSize> expected[] = {
        {"fbMin", {13, 13}},          {"fbMinMove", {13, 13}},       {"fbMinDown", {13, 13}},
        {"fbMax", {13, 13}},          {"fbMaxMove", {13, 13}},       {"fbMaxDown", {13, 13}},
        {"fbNormal", {13, 13}},       {"fbNormalMove", {13, 13}},    {"fbNormalDown", {13, 13}},
        {"fbClose", {13, 13}},        {"fbCloseMove", {13, 13}},     {"fbCloseDown", {13, 13}},
        {"fbHelp", {13, 13}},         {"fbHelpMove", {13, 13}},      {"fbHelpDown", {13, 13}},
        {"btnUp", {265, 34}},         {"btnMove", {265, 34}},        {"btnDown", {265, 34}},
        {"frameTopL", {9, 35}},       {"frameTopR", {52, 35}},       {"frameBottomL", {6, 22}},
        {"frameBottomR", {15, 22}},   {"listPending", {16, 16}},     {"listHistory", {16, 16}},
        {"listPublished", {16, 16}},  {"listUser", {16, 16}},        {"kindOrdinary", {16, 16}},
        {"kindBirthday", {16, 16}},   {"kindAppointment", {16, 16}}, {"kindAnniversary", {16, 16}},
        {"tbAdd", {32, 32}},          {"tbEdit", {32, 32}},          {"tbDelete", {32, 32}},
        {"tbQuickPublish", {32, 32}}, {"tbBirthday", {32, 32}},      {"tbAppointment", {32, 32}},
        {"tbAnniversary", {32, 32}},  {"tbHide", {32, 32}},          {"tbExit", {32, 32}},
        {"login", {64, 64}},
    };
    for (const auto& [name, size] : expected)
        EXPECT_EQ(Assets::picture(name).size(), size) << name;
    for (const char* name :
         {"frameTopC", "frameBottomC", "frameLeft", "frameRight", "bannerEntry", "bannerUser",
          "bannerBirthday", "bannerAppointment", "bannerAnniversary", "popupStrip", "popupBirthday",
          "popupAppointment", "popupAnniversary", "about"})
        EXPECT_FALSE(Assets::picture(name).isNull()) << name;
    EXPECT_EQ(Assets::picture("frameTopC").height(), 35);
    EXPECT_EQ(Assets::picture("frameBottomC").height(), 22);
    EXPECT_EQ(Assets::picture("frameLeft").width(), 6);
    EXPECT_EQ(Assets::picture("frameRight").width(), 6);
}

TEST(Assets, NamesAreFoundWithoutRegardToCaseAndUnknownNamesGiveNothing) {
    const QString path = Assets::resourcePath("fbMinMove");
    EXPECT_FALSE(path.isEmpty());
    EXPECT_EQ(Assets::resourcePath("FBMINMOVE"), path);
    EXPECT_EQ(Assets::resourcePath("fbminmove"), path);
    EXPECT_EQ(Assets::picture("BTNUP").toImage(), Assets::picture("btnUp").toImage());
    EXPECT_TRUE(Assets::picture("fbMinimise").isNull());
    EXPECT_TRUE(Assets::resourcePath("").isEmpty());
    EXPECT_TRUE(Assets::names().contains("tbQuickPublish"));
}

TEST(Assets, EachGlyphHasThreeDistinctLooksAndTheGlyphsDiffer) {
    QSet<QByteArray> looks;
    int count = 0;
    for (const char* style : {"fbMin", "fbMax", "fbNormal", "fbClose", "fbHelp", "btn"})
        for (const char* look : {"", "Move", "Down"}) {
            QString name = QString::fromLatin1(style) + QString::fromLatin1(look);
            if (name == "btn")
                name = "btnUp";
            const QImage image =
                Assets::picture(name).toImage().convertToFormat(QImage::Format_ARGB32);
            looks.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
            ++count;
        }
    EXPECT_EQ(count, 18);
    EXPECT_EQ(looks.size(), 18);
}

TEST(Assets, ApplicationIconComesInSmallAndLargeSizes) {
    const QList<QSize> sizes = Assets::appIcon().availableSizes();
    for (const int side : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

namespace {
struct Wave {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QByteArray data;
};

Wave readWave(const QString& path) {
    Wave wave;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return wave;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wave;
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    for (int at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const int size = static_cast<int>(u32(at + 4));
        if (id == "fmt ") {
            wave.format = u16(at + 8);
            wave.channels = u16(at + 10);
            wave.rate = u32(at + 12);
            wave.bits = u16(at + 22);
        } else if (id == "data") {
            wave.data = bytes.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}
} // namespace

TEST(Assets, TheThreeSoundsAreShortAudible16BitPcmAndDistinct) {
    QSet<QByteArray> contents;
    for (const char* name : {"reminder.wav", "SOUND560.WAV", "Trumpet1.wav"}) {
        const Wave wave = readWave(QStringLiteral(QX_WAVE_DIR "/") + QString::fromLatin1(name));
        EXPECT_EQ(wave.format, 1) << name;
        EXPECT_EQ(wave.bits, 16) << name;
        ASSERT_GT(wave.channels, 0) << name;
        ASSERT_GT(wave.rate, 0u) << name;
        const double seconds = double(wave.data.size()) / (2.0 * wave.channels * wave.rate);
        EXPECT_GT(seconds, 0.5) << name;
        EXPECT_LT(seconds, 3.0) << name;
        int peak = 0;
        for (int i = 0; i + 1 < wave.data.size(); i += 2)
            peak =
                std::max(peak, std::abs(int(qFromLittleEndian<qint16>(wave.data.constData() + i))));
        EXPECT_GT(peak, 8000) << name;  // clearly audible
        EXPECT_LT(peak, 32767) << name; // never clipped
        contents.insert(wave.data);
    }
    EXPECT_EQ(contents.size(), 3);
}
