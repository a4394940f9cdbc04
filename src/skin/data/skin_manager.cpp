#include "skin/data/skin_manager.h"

#include <algorithm>

#include "skin/data/skin_set.h"
#include "toolkit/core/properties.h"

bool TManualActionTimer::Tick() {
  soonAsked_ = false;
  if (!enabled_) return false;
  if (OnTimer) OnTimer();
  return true;
}

TSkinManager::TSkinManager(std::unique_ptr<TSkinActionTimer> timer, std::unique_ptr<TSkinWindowSide> windows)
    : timer_(timer ? std::move(timer) : std::make_unique<TManualActionTimer>()),
      windows_(windows ? std::move(windows) : std::make_unique<TSkinWindowSide>()) {
  timer_->SetEnabled(false);
  timer_->SetInterval(250);
  timer_->OnTimer = [this] { OnActionTimer(); };
}

TSkinManager::~TSkinManager() {
  timer_->SetEnabled(false);
  timer_->OnTimer = nullptr;
  if (hookInstalled_) windows_->RemoveHook();
}

void TSkinManager::RegisterSkinData(TSkinSet* skin) {
  if (std::find(skinDataList_.begin(), skinDataList_.end(), skin) == skinDataList_.end()) skinDataList_.push_back(skin);
}

void TSkinManager::UnregisterSkinData(TSkinSet* skin) {
  std::erase(skinDataList_, skin);
  if (pendingSkin_ == skin) pendingSkin_ = nullptr;  // a tick must not reach a destroyed component
}

void TSkinManager::InstallHook() {
  if (hookInstalled_) return;
  windows_->InstallHook();
  hookInstalled_ = true;
}

bool TSkinManager::AttachWindow(TSkinWindow window) { return active_ && windows_->AttachWindow(window); }

void TSkinManager::AttachOwnerForm(TSkinSet& skin) { windows_->AttachOwnerForm(skin); }

void TSkinManager::DropSystemButtons() { windows_->DropSystemButtons(); }

void TSkinManager::RequestAction(TSkinAction action, int interval) {
  pendingAction_ = action;
  timer_->SetInterval(interval);
  if (started_) {
    timer_->SetEnabled(true);
    if (action == TSkinAction::ApplyChangedSkin) timer_->FireSoon();
  } else if (action == TSkinAction::Activate || action == TSkinAction::Deactivate)
    active_ = action == TSkinAction::Activate;
}

void TSkinManager::OnActionTimer() {
  if (!pendingSkin_) return;  // keeps ticking
  timer_->SetEnabled(false);
  TSkinSet* skin = pendingSkin_;
  if (pendingAction_ == TSkinAction::Activate) active_ = true;
  if (pendingAction_ == TSkinAction::Deactivate) active_ = false;
  windows_->CarryOut(pendingAction_, *skin);
  pendingSkin_ = nullptr;
  skin->SkinChanged();
}

bool TSkinManager::AcceptClassName(const std::string& className) const {
  bool doSkin = true;
  for (TSkinSet* skin : skinDataList_)
    if (skin->SkinFormtype() == sfMainform) {
      skin->CheckFormSkin(className, doSkin);
      break;
    }
  return doSkin;
}

QUILLIMO_REGISTER_CLASS(TSkinManager)

namespace {

// A plain pointer, so that a skin component destroyed after the program's static objects
// still finds "no manager" instead of a destroyed one; the holder frees it at program end.
TSkinManager* gSkinManager = nullptr;

struct TManagerHolder {
  ~TManagerHolder() { FreeSkinManager(); }
} gManagerHolder;

TSkinManagerFactory& Factory() {
  static TSkinManagerFactory factory;
  return factory;
}

}  // namespace

TSkinManager* GetSkinManager() { return gSkinManager; }

TSkinManager& CreateSkinManager() {
  if (!gSkinManager) gSkinManager = (Factory() ? Factory()() : std::make_unique<TSkinManager>()).release();
  return *gSkinManager;
}

void FreeSkinManager() {
  delete gSkinManager;
  gSkinManager = nullptr;
}

void SetSkinManagerFactory(TSkinManagerFactory factory) { Factory() = std::move(factory); }
