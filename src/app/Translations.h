#pragma once
class QCoreApplication;

// Loads Qt's own Russian texts, so that the buttons and dialogs Qt draws itself
// speak Russian whatever the system's locale. False when they are not installed.
bool installRussianTranslations(QCoreApplication& app);
