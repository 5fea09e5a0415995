// The queued sound player: order, beeps for missing and unplayable files, the wave folder
// lookup and the reading of wave headers, all without an audio device.
#include "platform/ExecutableFolder.h"
#include "schedule/QueuedSoundPlayer.h"
#include "schedule/WaveFile.h"
#include "schedule/WavePlayer.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A wave file of the given length: 8 kHz, 8 bits, mono, so 8 bytes per millisecond.
QByteArray waveBytes(int milliseconds, const QByteArray& extraChunk = {}) {
    const quint32 dataSize = static_cast<quint32>(milliseconds) * 8;
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    QByteArray fmt = le16(1) + le16(1) + le32(8000) + le32(8000) + le16(1) + le16(8);
    QByteArray body = QByteArray("WAVE") + "fmt " + le32(16) + fmt + extraChunk + "data" +
                      le32(dataSize) + QByteArray(static_cast<int>(dataSize), '\x80');
    return QByteArray("RIFF") + le32(static_cast<quint32>(body.size())) + body;
}

// Records what the queue asks of the output; each sound ends when the test says so.
class FakeOutput final : public SoundOutput {
public:
    struct Log {
        QStringList events;
        std::vector<std::function<void(bool)>> pending;
    };
    explicit FakeOutput(Log& log) : log_(log) {}
    void start(const QString& path, std::function<void(bool)> finished) override {
        log_.events << QStringLiteral("start ") + QFileInfo(path).fileName();
        log_.pending.push_back(std::move(finished));
    }
    void beep() override { log_.events << QStringLiteral("beep"); }

private:
    Log& log_;
};

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ExecutableFolder::overrideForTests(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("wave"));
        write("reminder.wav", waveBytes(200));
        write("SOUND560.WAV", waveBytes(100));
        write("Trumpet1.wav", waveBytes(100));
    }
    void TearDown() override { ExecutableFolder::overrideForTests(QString()); }

    void write(const char* name, const QByteArray& bytes) {
        QFile file(dir.path() + QStringLiteral("/wave/") + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Ends the sound that plays now and lets the queue go on.
    void finishCurrent(bool played = true) {
        ASSERT_FALSE(log.pending.empty());
        auto finished = log.pending.back();
        finished(played);
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    FakeOutput::Log log;
    QueuedSoundPlayer player{std::make_unique<FakeOutput>(log)};
};

TEST_F(SoundPlayerTest, SoundsAskedForTogetherAreHeardOneAfterTheOtherInOrder) {
    player.play("reminder.wav");
    player.play("SOUND560.WAV");
    player.play("Trumpet1.wav");
    // play() returned at once each time; only the first sound is playing.
    EXPECT_EQ(log.events, QStringList({"start reminder.wav"}));
    EXPECT_TRUE(player.isBusy());
    EXPECT_EQ(player.waitingCount(), 2);

    finishCurrent();
    EXPECT_EQ(log.events, QStringList({"start reminder.wav", "start SOUND560.WAV"}));
    finishCurrent();
    finishCurrent();
    EXPECT_EQ(log.events,
              QStringList({"start reminder.wav", "start SOUND560.WAV", "start Trumpet1.wav"}));
    EXPECT_FALSE(player.isBusy());
    EXPECT_EQ(player.waitingCount(), 0);

    // An idle player starts the next sound at once.
    player.play("Trumpet1.wav");
    EXPECT_EQ(log.events.size(), 4);
}

TEST_F(SoundPlayerTest, AMissingOrUnplayableFileGivesTheBeepAndTheQueueGoesOn) {
    player.play("nothere.wav");
    EXPECT_EQ(log.events, QStringList({"beep"}));
    EXPECT_FALSE(player.isBusy());

    player.play("reminder.wav");
    player.play("gone.wav");
    player.play("SOUND560.WAV");
    finishCurrent(false); // the output could not play it after all
    EXPECT_EQ(log.events,
              QStringList({"beep", "start reminder.wav", "beep", "beep", "start SOUND560.WAV"}));
}

TEST_F(SoundPlayerTest, TheWaveFolderIsBesideTheExecutableAndNamesIgnoreLetterCase) {
    EXPECT_EQ(QueuedSoundPlayer::waveFolder(), ExecutableFolder::path() + "wave/");
    EXPECT_EQ(QFileInfo(QueuedSoundPlayer::locate("sound560.wav")).fileName(), "SOUND560.WAV");
    EXPECT_EQ(QFileInfo(QueuedSoundPlayer::locate("TRUMPET1.WAV")).fileName(), "Trumpet1.wav");
    EXPECT_TRUE(QueuedSoundPlayer::locate("other.wav").isEmpty());
    EXPECT_TRUE(QueuedSoundPlayer::locate("../wave/reminder.wav").isEmpty());
    EXPECT_TRUE(QueuedSoundPlayer::locate("").isEmpty());
}

TEST_F(SoundPlayerTest, AnOutputThatEndsWithinStartDoesNotRecurse) {
    struct Instant final : SoundOutput {
        int starts = 0;
        void start(const QString&, std::function<void(bool)> finished) override {
            ++starts;
            finished(true);
        }
        void beep() override {}
    };
    auto instant = std::make_unique<Instant>();
    Instant* output = instant.get();
    QueuedSoundPlayer quick(std::move(instant));
    for (int i = 0; i < 50; ++i)
        quick.play("reminder.wav");
    EXPECT_EQ(output->starts, 1);
    for (int i = 0; i < 60 && quick.isBusy(); ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(output->starts, 50);
    EXPECT_FALSE(quick.isBusy());
}

TEST_F(SoundPlayerTest, WaveHeadersGiveThePlayingTime) {
    const QString path = dir.path() + "/wave/reminder.wav";
    EXPECT_EQ(WaveFile::durationMs(path), 200);

    // Other chunks may stand between the format and the data.
    write("list.wav", waveBytes(300, QByteArray("LIST") + QByteArray("\x05\0\0\0abcde\0", 10)));
    EXPECT_EQ(WaveFile::durationMs(dir.path() + "/wave/list.wav"), 300);

    write("text.wav", "this is not a sound");
    EXPECT_FALSE(WaveFile::durationMs(dir.path() + "/wave/text.wav"));
    write("cut.wav", waveBytes(100).left(30));
    EXPECT_FALSE(WaveFile::durationMs(dir.path() + "/wave/cut.wav"));
    EXPECT_FALSE(WaveFile::durationMs(dir.path() + "/wave/none.wav"));
}

TEST_F(SoundPlayerTest, TheRealOutputEndsEverySoundEvenWithoutAnAudioDevice) {
    EffectSoundOutput output;
    std::vector<bool> results;
    output.start(dir.path() + "/wave/reminder.wav",
                 [&](bool played) { results.push_back(played); });
    // Without a device nothing is heard; with one, the sound plays out. Either way it ends.
    QTRY_VERIFY_WITH_TIMEOUT(results.size() == 1, 200 + EffectSoundOutput::kGraceMs + 3000);
    EXPECT_TRUE(results[0]);

    write("text.wav", "this is not a sound");
    output.start(dir.path() + "/wave/text.wav", [&](bool played) { results.push_back(played); });
    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[1]);
}

} // namespace
