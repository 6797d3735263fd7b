#pragma once

#include <QStringList>

// Qt's own texts in Spanish: the file dialogs, the context menu of every text box, Qt's own
// buttons. The users speak Spanish whatever the system's language, so both programs load Qt's
// Spanish translation at start. It lives here, beside the program's folders, because it is found
// by where the program is installed: in Qt's folder, or in the program's own on Windows.
namespace config {

// Where Qt's Spanish translation (qtbase_es.qm) is looked for, in order: Qt's translations folder
// (QLibraryInfo::TranslationsPath; Debian's package qt6-translations-l10n) and the folder
// "translations" beside the executable (the Windows program folder carries it there). Needs the
// application object.
QStringList CarpetasDeTextosDeQt();

// Loads qtbase_es.qm from the first of carpetas that holds it, for the whole application (the
// reasons of a file's failure stay in Qt's English, which the program words in Spanish itself), and
// makes Spanish (Mexico) Qt's default locale (day and month names, a file dialog's dates and
// sizes). Nothing the programs write changes with the locale: the engine formats its own numbers
// and dates. False when no folder had a file that loads: Qt's texts stay in English and the
// program goes on. Needs the application object.
bool CargarTextosDeQt(const QStringList &carpetas = CarpetasDeTextosDeQt());

} // namespace config
