// Result codes of the porting boundary: the values the game's error paths test for, as the
// original platform defined them, so every message and errno in the game stays reachable.
#pragma once

#include <cstdint>

namespace platform {

using HRESULT = std::int32_t;

constexpr HRESULT MakeResult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }
constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool Failed(HRESULT hr) { return hr < 0; }

// General
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002);
constexpr HRESULT E_FAIL = MakeResult(0x80004005);
constexpr HRESULT E_ACCESSDENIED = MakeResult(0x80070005);
constexpr HRESULT E_HANDLE = MakeResult(0x80070006);
constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057);

// Graphics device and its utility library
constexpr HRESULT D3D_OK = 0;
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = MakeResult(0x8876017C);
constexpr HRESULT D3DERR_DRIVERINTERNALERROR = MakeResult(0x88760827);
constexpr HRESULT D3DERR_DEVICELOST = MakeResult(0x88760868);
constexpr HRESULT D3DERR_DEVICENOTRESET = MakeResult(0x88760869);
constexpr HRESULT D3DERR_NOTAVAILABLE = MakeResult(0x8876086A);
constexpr HRESULT D3DERR_INVALIDCALL = MakeResult(0x8876086C);
constexpr HRESULT D3DXERR_INVALIDDATA = MakeResult(0x88760B59);

// Sound device and buffers
constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_ALLOCATED = MakeResult(0x8878000A);
constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeResult(0x8878001E);
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_INVALIDCALL = MakeResult(0x88780032);
constexpr HRESULT DSERR_GENERIC = E_FAIL;
constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeResult(0x88780046);
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_BADFORMAT = MakeResult(0x88780064);
constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DSERR_NODRIVER = MakeResult(0x88780078);
constexpr HRESULT DSERR_ALREADYINITIALIZED = MakeResult(0x88780082);
constexpr HRESULT DSERR_NOAGGREGATION = MakeResult(0x80040110);
constexpr HRESULT DSERR_BUFFERLOST = MakeResult(0x88780096);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = MakeResult(0x887800A0);
constexpr HRESULT DSERR_UNINITIALIZED = MakeResult(0x887800AA);
constexpr HRESULT DSERR_BUFFERTOOSMALL = MakeResult(0x887800B4);
constexpr HRESULT DSERR_DS8_REQUIRED = MakeResult(0x887800BE);

// Keyboard and joystick devices
constexpr HRESULT DI_OK = 0;
constexpr HRESULT DI_NOEFFECT = S_FALSE;
constexpr HRESULT DIERR_OTHERAPPHASPRIO = E_ACCESSDENIED;
constexpr HRESULT DIERR_NOTACQUIRED = MakeResult(0x8007000C);
constexpr HRESULT DIERR_INPUTLOST = MakeResult(0x8007001E);
constexpr HRESULT DIERR_NOTINITIALIZED = MakeResult(0x80070015);
constexpr HRESULT DIERR_DEVICENOTREG = MakeResult(0x80040154);
constexpr HRESULT DIERR_UNPLUGGED = MakeResult(0x80040209);
constexpr HRESULT DIERR_INVALIDPARAM = E_INVALIDARG;

// Registry calls answer with these plain error numbers instead of HRESULTs.
using LSTATUS = std::int32_t;
constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
constexpr LSTATUS ERROR_WRITE_FAULT = 29;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;

}  // namespace platform
