#pragma once

#include <QLoggingCategory>

// The simulator's log; every frame in and out at debug level (dspsim --verbose).
Q_DECLARE_LOGGING_CATEGORY(lcSim)
