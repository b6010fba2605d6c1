#include "framework/module.h"

#include <new>

extern "C" IMAGE_DOS_HEADER __ImageBase;

CBaseModule::CBaseModule()
    : instance(reinterpret_cast<HINSTANCE>(&__ImageBase)), resourceInstance(instance) {}

std::u16string ModuleFileName() {
  // The size needed is not reported: grow until the whole path fits.
  std::u16string path(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()),
                                            static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};  // longer than any Windows path
    path.resize(path.size() * 2);
  }
}

void CWindowModule::AddCreateWndData(void* object) {
  CLockGuard guard(lock);
  pending.emplace_back(GetCurrentThreadId(), object);
}

void* CWindowModule::ExtractCreateWndData() {
  CLockGuard guard(lock);
  const DWORD thread = GetCurrentThreadId();
  for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
    if (it->first == thread) {
      void* object = it->second;
      pending.erase(std::next(it).base());
      return object;
    }
  }
  return nullptr;
}

void CWindowModule::RemoveCreateWndData(void* object) {
  CLockGuard guard(lock);
  std::erase_if(pending, [object](const auto& record) { return record.second == object; });
}

HRESULT CAppModule::Init(HINSTANCE) {
  CLockGuard guard(lock);
  mainThreadId = GetCurrentThreadId();
  loops.reset(new (std::nothrow) std::map<DWORD, CMessageLoop*>);
  return loops ? S_OK : E_OUTOFMEMORY;
}

void CAppModule::Term() {
  CLockGuard guard(lock);
  loops.reset();
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop) {
  CLockGuard guard(lock);
  return loops && loops->emplace(GetCurrentThreadId(), loop).second;
}

bool CAppModule::RemoveMessageLoop() {
  CLockGuard guard(lock);
  return loops && loops->erase(GetCurrentThreadId()) != 0;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) {
  CLockGuard guard(lock);
  if (!loops) return nullptr;
  const auto it = loops->find(threadId);
  return it != loops->end() ? it->second : nullptr;
}
