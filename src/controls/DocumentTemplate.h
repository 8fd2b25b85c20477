#pragma once

#include <QString>

// The fields of the document template, string 128: the program's name for titles and message
// boxes, the file-dialog filter of project files and their extension.
namespace DocumentTemplate {

QString AppName();            // "Zelvaron"
QString FileFilter();         // "Dateityp Zelvaron (*.zelv)"
QString DefaultExtension();   // ".zelv"

} // namespace DocumentTemplate
