#pragma once
#include <QSettings>

// The one place the application's own settings are kept between runs.
QSettings applicationSettings();
