// Temporary stand-ins for the dispatcher, translation-file and collector parts of the
// localisation component, which are written separately; each goes when its real one lands.
#include "localisation/lang_component.h"

TComponent* DispatcherComponent(TlcLangDispatcher*) { return nullptr; }
bool DispatcherTestModeActive(const TlcLangDispatcher*) { return false; }
std::string DispatcherTestModeText(const TlcLangDispatcher*, const std::string&) { return {}; }
std::vector<TlcCustomLang*> DispatcherLinkedLangs(const TlcLangDispatcher*) { return {}; }
void DispatcherRegisterLoaded(TlcLangDispatcher*, TlcCustomLang*) {}
void DeclareLangDispatcherProperty(TPropertyTable&) {}
void TlcCustomLang::SetLangDispatcher(TlcLangDispatcher* value) { dispatcher_ = value; }
void TlcCustomLang::Collect() {}
