#include <windows.h>
#include <msxml2.h>
#include <objbase.h>
#include <shlwapi.h>

#include <initializer_list>
#include <memory>

#include "platform/win32/com_ptr.h"
#include "platform/xml_reader.h"

namespace kestrav {
namespace {

using win32::Bstr;
using win32::ComApartment;
using win32::ComPtr;
using win32::Variant;

// The headers of MinGW-w64 declare these without defining them in its libraries, so the
// program carries its own copies.
constexpr CLSID kDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
constexpr CLSID kDomDocument = {0x2933bf90, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};
constexpr IID kIXmlDomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Narrow(BSTR text) {
  const int length = static_cast<int>(::SysStringLen(text));
  if (length == 0) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

// The newest MSXML the system has; every one of them reads a document the same way here.
ComPtr<IXMLDOMDocument> CreateDocument() {
  ComPtr<IXMLDOMDocument> document;
  for (const CLSID& kind : {kDomDocument60, kDomDocument30, kDomDocument}) {
    if (SUCCEEDED(::CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                     document.ReceiveVoid())) &&
        document) {
      break;
    }
  }
  return document;
}

// Loading must finish before load returns. A document type declaration is read but
// nothing outside the file is fetched and nothing is validated: MSXML 6 would otherwise
// refuse any file with a DOCTYPE, which older versions read.
bool PrepareDocument(IXMLDOMDocument& document) {
  if (FAILED(document.put_async(VARIANT_FALSE))) return false;
  document.put_validateOnParse(VARIANT_FALSE);
  document.put_resolveExternals(VARIANT_FALSE);
  ComPtr<IXMLDOMDocument2> settings;
  if (SUCCEEDED(document.QueryInterface(kIXmlDomDocument2, settings.ReceiveVoid())) && settings) {
    const Bstr property(L"ProhibitDTD");
    Variant prohibit;
    prohibit.get().vt = VT_BOOL;
    prohibit.get().boolVal = VARIANT_FALSE;
    if (property) settings->setProperty(property.get(), prohibit.get());
  }
  return true;
}

// The file is handed over as a stream rather than by name: MSXML takes a name for a URL,
// and some folder names ("#", "%20" and blanks together) then name a different file.
ComPtr<IStream> OpenStream(const std::string& path) {
  ComPtr<IStream> stream;
  if (FAILED(::SHCreateStreamOnFileA(path.c_str(), STGM_READ | STGM_SHARE_DENY_NONE, stream.Receive()))) {
    return {};
  }
  STATSTG status{};
  if (!stream || FAILED(stream->Stat(&status, STATFLAG_NONAME)) || status.cbSize.QuadPart > kMaxXmlFileSize) {
    return {};
  }
  return stream;
}

// COM stays initialised on the creating thread, the user-interface thread, for as long as
// the adapter lives, which is as long as the program.
class Win32XmlReader : public XmlReader {
 public:
  std::optional<std::string> ReadRootAttribute(const std::string& path, const std::string& attribute) override {
    ComPtr<IStream> stream = OpenStream(path);
    if (!stream) return std::nullopt;
    ComPtr<IXMLDOMDocument> document = CreateDocument();
    if (!document || !PrepareDocument(*document.get())) return std::nullopt;

    Variant source;
    source.get().vt = VT_UNKNOWN;
    source.get().punkVal = stream.get();
    stream->AddRef();  // the variant's own reference, released when it is cleared
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (document->load(source.get(), &loaded) != S_OK || loaded != VARIANT_TRUE) return std::nullopt;

    ComPtr<IXMLDOMElement> root;
    if (document->get_documentElement(root.Receive()) != S_OK || !root) return std::nullopt;
    const Bstr name(Widen(attribute));
    if (!name) return std::nullopt;
    Variant value;
    if (root->getAttribute(name.get(), value.Receive()) != S_OK || value.get().vt != VT_BSTR) return std::nullopt;
    return Narrow(value.get().bstrVal);
  }

 private:
  ComApartment apartment_;
};

}  // namespace

std::unique_ptr<XmlReader> MakeWin32XmlReader() { return std::make_unique<Win32XmlReader>(); }

}  // namespace kestrav
