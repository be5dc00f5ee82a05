#pragma once
// Log category of the analyser link; quiet unless QT_LOGGING_RULES asks for it.

#include <QLoggingCategory>

namespace detkit {
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
}
