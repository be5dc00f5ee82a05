#include "device/commands.h"

#include <algorithm>

#include "platform/format.h"

namespace detkit {

std::string PresetCommand(int presetTime)
{
    return Format("$P%d;", presetTime);
}

std::optional<std::string> MemorySizeCommand(int channels)
{
    switch (channels) {
    case 512:
    case 1024:
    case 2048:
    case 4096:
        return Format("$M%d;", channels / ReadBlockChannels);
    default:
        return std::nullopt;
    }
}

std::string CursorCommand(int channel)
{
    return Format("$@C%04d;", std::clamp(channel, 0, 4095));
}

std::string FullScaleCommand(int step)
{
    std::string command = "$V;";
    command.insert(2, 1, static_cast<char>('0' + std::clamp(step, 1, 22)));
    return command;
}

std::string ReadBlockCommand(int block)
{
    return Format("$R%d;", block);
}

std::string ClockCommand(const LocalDateTime& t)
{
    return Format("$t%02d%02d%02d%02d%02d;", t.year % 100, t.month, t.day, t.hour, t.minute);
}

} // namespace detkit
