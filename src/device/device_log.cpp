#include "device/device_log.h"

namespace detkit {
Q_LOGGING_CATEGORY(lcDevice, "detkit.device", QtWarningMsg)
}
