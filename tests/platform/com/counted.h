// The smallest counting object, for tests that watch references move.
#pragma once

#include "platform/com/com.h"

class TCounted final : public win::TComObject<win::IUnknown> {
public:
  win::HRESULT QueryInterface(win::REFIID iid, void** out) override {
    if (iid == win::IID_IUnknown) return win::AnswerInterface<win::IUnknown>(this, out);
    *out = nullptr;
    return win::E_NOINTERFACE;
  }
};
