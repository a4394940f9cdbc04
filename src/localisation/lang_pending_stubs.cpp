// Temporary stand-in for the collector part of the localisation component, which is
// written separately; it goes when the real one lands.
#include "localisation/lang_component.h"

void TlcCustomLang::Collect() {}
