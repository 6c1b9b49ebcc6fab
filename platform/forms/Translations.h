#pragma once

namespace forms {

// Installs Qt's own Japanese texts, from the translations installed with Qt, so that its
// standard dialogs and buttons (the file and folder dialogs, the context menus of text
// boxes) speak Japanese. Called once at the start of each program, after the application
// object exists. False when they could not be loaded: those texts then stay English.
bool LoadJapaneseTranslations();

}  // namespace forms
