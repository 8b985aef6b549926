// The add-in object that the presentation program creates from its list of registered add-ins:
// the host's connection notifications arrive through IDTExtensibility2, and code in the host (a
// macro, another add-in) calls the public methods of `_PowerPointAddin`, whose IDispatch answers
// from the type library embedded in the DLL. Every notification and method hands straight on to
// the add-in's module, contained and with the object kept alive meanwhile (the host may release
// it from a modal loop inside the call). A call that completes answers success, since the
// add-in's steps that fail are skipped by design; only an exception (memory running out, say)
// reaches the host as a failure.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include "AddinConnection.h"
#include "ComServer.h"
#include "HostObjectModel.h"
#include "ScopedWin.h"
#include "tandryaddin.h"

namespace tandry::addin {

class PowerPointAddin final : public ComObject<PowerPointAddin, _PowerPointAddin> {
 public:
  // A new object with one reference; fails when the embedded type library can't be read.
  static HRESULT Create(IUnknown** object);

  static const InterfaceEntry<PowerPointAddin> kInterfaces[3];

  // IDispatch, from the type library.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // _PowerPointAddin.
  HRESULT STDMETHODCALLTYPE UsingTandry() override;
  HRESULT STDMETHODCALLTYPE AboutTandry() override;
  HRESULT STDMETHODCALLTYPE StartTandry() override;
  HRESULT STDMETHODCALLTYPE IsTandryRunning(VARIANT_BOOL* running) override;
  HRESULT STDMETHODCALLTYPE IsCOMAddInInitialized(VARIANT_BOOL* initialized) override;

 private:
  // The connection interface on a face of its own, so that its IDispatch answers for the
  // connection notifications (by their DISPIDs) and the object's IDispatch for the public
  // methods.
  class ExtensibilityFace final : public host::IDTExtensibility2 {
   public:
    explicit ExtensibilityFace(PowerPointAddin& addin) : addin_(addin) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                           IDispatch* addInInst, SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

   private:
    PowerPointAddin& addin_;
  };

  explicit PowerPointAddin(ScopedComPtr<ITypeInfo> typeInfo);
  ~PowerPointAddin() override;

  ScopedComPtr<ITypeInfo> typeInfo_;
  AddinConnection connection_;
  ExtensibilityFace extensibility_{*this};
};

}  // namespace tandry::addin
