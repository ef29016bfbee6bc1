// The device side of the library: devices, the output and global volumes.
#include "audio/library.h"

#include "audio/log.h"

#include <algorithm>
#include <cmath>

namespace velmoro::audio {

bool AudioLibrary::GetDeviceDescription(int device, std::string& description)
{
    if (device == 0 || m_devices.empty())
        m_devices = m_provider->Devices();
    if (device < 0 || std::size_t(device) >= m_devices.size())
        return false;
    description = m_devices[std::size_t(device)];
    return true;
}

bool AudioLibrary::Init(int device, std::uint32_t frequency, std::uint32_t flags)
{
    if (m_output) {
        Log(LogLevel::Warning, "Init: the device is already open (Free first)");
        return false;
    }
    if (frequency < 1000 || frequency > 192000) {
        Log(LogLevel::Warning, "Init: no output at " + std::to_string(frequency) + " Hz");
        return false;
    }
    OutputFormat format;
    format.rate = int(frequency);
    format.channels = (flags & kInitMono) ? 1 : 2;
    format.bits = (flags & kInit8Bits) ? 8 : 16;
    {
        std::lock_guard lock(m_mixer.Lock());
        m_mixer.SetFormat(format);
    }
    std::lock_guard output(m_outputMutex);
    m_outputFormat = format;
    m_output = m_provider->Open(device, format,
                                [this](void* out, std::size_t frames) { m_mixer.Render(out, frames); });
    return m_output != nullptr;
}

bool AudioLibrary::Start()
{
    std::lock_guard output(m_outputMutex);
    if (!m_output) {
        Log(LogLevel::Warning, "Start: no device open (Init first)");
        return false;
    }
    m_outputWanted = true;
    if (!m_outputRunning)
        m_outputRunning = m_output->Start();
    return m_outputRunning;
}

void AudioLibrary::ResumeOutput()
{
    std::lock_guard output(m_outputMutex);
    if (m_output && m_outputWanted && !m_outputRunning)
        m_outputRunning = m_output->Start();
}

void AudioLibrary::SuspendOutputWhenSilent()
{
    // The output lock first: a stream started meanwhile resumes the output
    // only after this, so it is never left suspended under a playing stream.
    std::lock_guard output(m_outputMutex);
    if (!m_output || !m_outputRunning)
        return;
    {
        std::lock_guard lock(m_mixer.Lock());
        if (m_mixer.AnyPlaying())
            return;
    }
    m_output->Stop();
    m_outputRunning = false;
}

void AudioLibrary::Free()
{
    {
        std::lock_guard output(m_outputMutex);
        if (m_output)
            m_output->Stop();
        m_outputWanted = false;
        m_outputRunning = false;
    }
    std::vector<Handle> handles;
    {
        std::lock_guard lock(m_streamsMutex);
        for (const auto& [handle, stream] : m_streams)
            handles.push_back(handle);
    }
    for (Handle h : handles)
        StreamFree(h);
    std::lock_guard output(m_outputMutex);
    m_output.reset();
}

bool AudioLibrary::GetInfo(DeviceInfo& info)
{
    if (!m_output)
        return false;
    // The server converts any format and rate, in software.
    constexpr std::uint32_t kPrimaryMono = 0x1, kPrimaryStereo = 0x2, kPrimary8 = 0x4, kPrimary16 = 0x8,
                            kContinuousRate = 0x10, kEmulated = 0x20, kSecondaryMono = 0x100,
                            kSecondaryStereo = 0x200, kSecondary8 = 0x400, kSecondary16 = 0x800;
    info = DeviceInfo{};
    info.flags = kPrimaryMono | kPrimaryStereo | kPrimary8 | kPrimary16 | kContinuousRate | kEmulated |
                 kSecondaryMono | kSecondaryStereo | kSecondary8 | kSecondary16;
    info.minrate = 1000;
    info.maxrate = 192000;
    return true;
}

bool AudioLibrary::GetDeviceReport(DeviceReport& report)
{
    std::lock_guard output(m_outputMutex);
    if (!m_output)
        return false;
    report = DeviceReport{};
    report.sampleFormat = m_outputFormat.bits == 8 ? "u8" : "s16le";
    report.rate = m_outputFormat.rate;
    report.channels = m_outputFormat.channels;
    m_output->Describe(report);
    return true;
}

void AudioLibrary::SetBufferLength(float seconds)
{
    if (std::isfinite(seconds))
        m_bufferSeconds = std::clamp(seconds, 0.05f, float(kMaxBufferSeconds) - 0.5f);
    Wake();
}

void AudioLibrary::SetLogCurves(bool volume, bool pan)
{
    std::lock_guard lock(m_mixer.Lock());
    m_mixer.logVolume = volume;
    m_mixer.logPan = pan;
}

void AudioLibrary::SetGlobalVolumes(int, int, int stream)
{
    std::lock_guard lock(m_mixer.Lock());
    m_mixer.streamVolume = std::clamp(stream, 0, 100);
}

void AudioLibrary::SetVolume(int volume)
{
    std::lock_guard lock(m_mixer.Lock());
    m_mixer.outputVolume = std::clamp(volume, 0, 100);
}

} // namespace velmoro::audio
