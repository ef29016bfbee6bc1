// A visualization plug-in for Velmoro, to copy: a window of its own with a
// scrolling spectrogram of what plays. render runs on the player's decoding
// thread and only copies the newest samples into a buffer (skipping a block
// rather than waiting); the window's timer, on the user-interface thread,
// turns the buffer into one new column at a time. The contract is
// include/velmoro/plugin.h.
#include <velmoro/plugin.h>

#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <numbers>

namespace {

constexpr int kWindowSamples = 512;
constexpr int kRows = 128; // the lower quarter of the spectrum, where music lives
constexpr int kColumns = 320;

std::mutex g_samplesLock;
std::array<float, kWindowSamples> g_samples{}; // the newest mono samples, oldest first

// One column: the magnitude of each low bin of the newest samples, on a
// decibel scale from black to yellow.
void DrawColumn(QImage& image, const std::array<float, kWindowSamples>& samples)
{
    for (int row = 0; row < kRows; ++row) {
        const int bin = row + 1;
        double re = 0, im = 0;
        for (int n = 0; n < kWindowSamples; ++n) {
            const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * n / (kWindowSamples - 1));
            const double phase = 2 * std::numbers::pi * bin * n / kWindowSamples;
            re += samples[n] * hann * std::cos(phase);
            im -= samples[n] * hann * std::sin(phase);
        }
        const double magnitude = std::sqrt(re * re + im * im) / (kWindowSamples / 4);
        const double level = std::clamp((20 * std::log10(magnitude + 1e-9) + 80) / 80, 0.0, 1.0);
        const int v = int(level * 255);
        image.setPixel(kColumns - 1, kRows - 1 - row, qRgb(v, v * v / 255, v / 4));
    }
}

class SpectrogramWindow : public QWidget {
public:
    SpectrogramWindow() : m_image(kColumns, kRows, QImage::Format_RGB32)
    {
        setWindowTitle(QStringLiteral("Spettrogramma"));
        setFixedSize(kColumns * 2, kRows * 2);
        m_image.fill(Qt::black);
        m_timer.setInterval(33);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Scroll(); });
    }
    void Start()
    {
        show();
        m_timer.start();
    }
    void Stop()
    {
        m_timer.stop();
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(rect(), m_image); }

private:
    void Scroll()
    {
        std::array<float, kWindowSamples> samples;
        {
            const std::lock_guard lock(g_samplesLock);
            samples = g_samples;
        }
        m_image = m_image.copy(1, 0, kColumns, kRows); // one column to the left
        DrawColumn(m_image, samples);
        update();
    }

    QImage m_image;
    QTimer m_timer;
};

SpectrogramWindow* g_window = nullptr;

void Init()
{
}

void Quit()
{
    delete g_window;
    g_window = nullptr;
}

void About(VelmoroWindow owner)
{
    QMessageBox::about(QWidget::find(WId(owner)), QStringLiteral("Spettrogramma"),
                       QStringLiteral("Plug-in di esempio per Velmoro: lo spettro di ciò che suona, "
                                      "colonna dopo colonna."));
}

void Render(VelmoroStream, const void* samples, std::uint32_t bytes)
{
    const std::unique_lock lock(g_samplesLock, std::try_to_lock);
    if (!lock.owns_lock())
        return; // the window is reading: this block is skipped, the sound never waits
    const auto* pcm = static_cast<const std::int16_t*>(samples);
    const int frames = std::min<int>(int(bytes / 4), kWindowSamples);
    std::move(g_samples.begin() + frames, g_samples.end(), g_samples.begin());
    const int first = int(bytes / 4) - frames;
    for (int i = 0; i < frames; ++i) {
        const int f = first + i;
        g_samples[kWindowSamples - frames + i] = (pcm[2 * f] + pcm[2 * f + 1]) / 65536.0f;
    }
}

void Start()
{
    if (!g_window)
        g_window = new SpectrogramWindow;
    g_window->Start();
}

void Stop()
{
    if (g_window)
        g_window->Stop();
}

VelmoroVisModule g_module{Init,   Quit,  About, About,
                          Render, Start, Stop,  "Spettrogramma (plug-in di esempio)"};

} // namespace

extern "C" __attribute__((visibility("default"))) VelmoroVisModule* PlayerGetVisModule()
{
    return &g_module;
}
