// The display bitmap as PNG through the Windows Imaging Component, so the
// Windows program needs no image library of its own.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <wincodec.h>

#include "ausgabe/png.h"

namespace qzl {

namespace {

// Releases a COM interface at the end of the scope.
template <class T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
    T** operator&() { return &p; }
};

// COM for this thread as long as the encoder runs; a thread that has it
// already in another mode works as well.
struct ComBereit {
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ~ComBereit() {
        if (SUCCEEDED(hr)) ::CoUninitialize();
    }
};

std::string kodieren(IWICImagingFactory* fabrik, const AnzeigeBitmap& bild) {
    Com<IStream> strom;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &strom))) return {};
    Com<IWICBitmapEncoder> kodierer;
    if (FAILED(fabrik->CreateEncoder(GUID_ContainerFormatPng, nullptr, &kodierer)) ||
        FAILED(kodierer->Initialize(strom.p, WICBitmapEncoderNoCache)))
        return {};
    Com<IWICBitmapFrameEncode> rahmen;
    if (FAILED(kodierer->CreateNewFrame(&rahmen, nullptr)) || FAILED(rahmen->Initialize(nullptr)) ||
        FAILED(rahmen->SetSize(bitmapBreite, bitmapHoehe)))
        return {};
    // The encoder may pick another format; only the palette one keeps the
    // indices the window paints with.
    WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
    if (FAILED(rahmen->SetPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed)) return {};
    WICColor farben[256];
    const auto& tabelle = farbtabelle();
    for (int i = 0; i < 256; ++i) farben[i] = 0xFF000000u | (tabelle[static_cast<std::size_t>(i)] & 0xFFFFFFu);
    Com<IWICPalette> palette;
    if (FAILED(fabrik->CreatePalette(&palette)) || FAILED(palette->InitializeCustom(farben, 256)) ||
        FAILED(rahmen->SetPalette(palette.p)))
        return {};
    // WritePixels takes a non-const buffer but only reads it.
    auto* pixel = const_cast<BYTE*>(bild.indizes.data());
    if (FAILED(rahmen->WritePixels(bitmapHoehe, bitmapBreite, bitmapBreite * bitmapHoehe, pixel)) ||
        FAILED(rahmen->Commit()) || FAILED(kodierer->Commit()))
        return {};
    HGLOBAL speicher = nullptr;
    STATSTG info{};
    if (FAILED(::GetHGlobalFromStream(strom.p, &speicher)) || FAILED(strom->Stat(&info, STATFLAG_NONAME)))
        return {};
    const auto* daten = static_cast<const char*>(::GlobalLock(speicher));
    if (!daten) return {};
    std::string ergebnis(daten, static_cast<std::size_t>(info.cbSize.QuadPart));
    ::GlobalUnlock(speicher);
    return ergebnis;
}

}  // namespace

std::string pngKodieren(const AnzeigeBitmap& bild) {
    ComBereit com;
    if (FAILED(com.hr) && com.hr != RPC_E_CHANGED_MODE) return {};
    Com<IWICImagingFactory> fabrik;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&fabrik))))
        return {};
    return kodieren(fabrik.p, bild);
}

}  // namespace qzl
