#pragma once
#include <QString>

// Short Russian reasons for a failed file operation, from the system's error number.
QString writeFailureReason(int error);
QString readFailureReason(int error);
