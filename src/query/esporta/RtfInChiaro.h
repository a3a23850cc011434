#pragma once

#include <QString>

namespace mavo {

// The plain text of a memo written as RTF, as a rich-text box shows it:
// paragraphs end with CR LF, control words, font and colour tables and
// pictures are dropped, \'hh escapes are Windows-1252 characters, \uN
// Unicode ones. The acute accent (´) of the stored text becomes an
// apostrophe first. A text that is not RTF comes back as it is.
QString EsportaRTFInChiaro(const QString& testo);

} // namespace mavo
