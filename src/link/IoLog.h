#pragma once

#include <QLoggingCategory>

// Transports and link glue; frame hex dumps only at debug level.
Q_DECLARE_LOGGING_CATEGORY(lcLink)
