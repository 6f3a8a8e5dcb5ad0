#include <wincodec.h>
#include <wrl/client.h>

#include "base/errors.h"
#include "ui/controls.h"
#include "ui/resources.h"

using Microsoft::WRL::ComPtr;

namespace {

void Check(HRESULT hr, const std::wstring& name) {
  if (FAILED(hr)) throw Exception(L"Picture " + name + L" cannot be read");
}

// Decodes PNG bytes into a top-down 32-bit DIB with premultiplied alpha for AlphaBlend.
HBITMAP DecodePng(const std::string& bytes, const std::wstring& name, int& width, int& height) {
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)), name);
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(&stream), name);
  Check(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                     static_cast<DWORD>(bytes.size())),
        name);
  ComPtr<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder), name);
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, &frame), name);
  ComPtr<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(&converter), name);
  Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                              WICBitmapPaletteTypeCustom),
        name);
  UINT w = 0, h = 0;
  Check(converter->GetSize(&w, &h), name);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), static_cast<LONG>(w), -static_cast<LONG>(h), 1, 32, BI_RGB};
  void* bits = nullptr;
  TBitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) throw Exception(L"Picture " + name + L" cannot be read");
  Check(converter->CopyPixels(nullptr, w * 4, w * h * 4, static_cast<BYTE*>(bits)), name);
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return bitmap.Release();
}

}  // namespace

void TPicture::LoadFromResource(const std::wstring& name) {
  if (auto png = LoadResourceBytes(name)) {
    FBitmap.Reset(DecodePng(*png, name, FWidth, FHeight));
    FAlpha = true;
    return;
  }
  HBITMAP bmp = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bmp) throw Exception(L"Picture " + name + L" not found");
  FBitmap.Reset(bmp);
  BITMAP info{};
  GetObjectW(bmp, sizeof(info), &info);
  FWidth = info.bmWidth;
  FHeight = info.bmHeight;
  FAlpha = false;
  TMemoryDC dc(CreateCompatibleDC(nullptr));
  TSelectObject select(dc.Get(), bmp);
  FTransparent = GetPixel(dc.Get(), 0, FHeight - 1);
}

void TPicture::Draw(HDC dc, int x, int y, UINT dpi) const {
  if (!FBitmap) return;
  TMemoryDC source(CreateCompatibleDC(dc));
  TSelectObject select(source.Get(), FBitmap.Get());
  const int width = MulDiv(FWidth, static_cast<int>(dpi), 96), height = MulDiv(FHeight, static_cast<int>(dpi), 96);
  if (FAlpha) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width, height, source.Get(), 0, 0, FWidth, FHeight, blend);
  } else {
    TransparentBlt(dc, x, y, width, height, source.Get(), 0, 0, FWidth, FHeight, FTransparent);
  }
}
