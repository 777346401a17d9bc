#pragma once
// Exchanges with the printer's memory: listing, storing, extracting,
// deleting and selecting the forms, graphics and fonts it keeps by name,
// and the query for its active form. Each runs as one conversation over the
// serial link and stops at the first refused write or reply time-out.

#include <cstdint>
#include <string>
#include <string_view>

namespace zk {

// Printer object names: letters and digits only, at most 8 characters; a
// font is named by one letter.
bool IsValidObjectName(std::string_view name, std::int16_t kind);
// "Form", "Graphics" or "Font" for a PrinterObjectKind.
const char* ObjectKindWord(std::int16_t kind);

// FA: fills ActiveFormName and PrintDialogCaption.
void ReceiveActiveFormName();
// UF/UG/UE into the store-as dialog's list; sets PrinterObjectKind.
bool ReceiveObjectNames(std::int16_t kind);
// The same between a status text and its end.
bool ReceiveObjectList(std::int16_t kind);

// UM and UF/UG/UE into the object list dialog; sets PrinterObjectKind.
bool FillObjectListDialog(std::int16_t kind);
bool ReceiveObjectListDialog(std::int16_t kind);

// The store-as dialog for each source, and its Store action.
void StoreCurrentLabelDialog();
void StoreFormFileDialog();
void StorePictureFileDialog();
void StoreFontFileDialog();
void StoreAsConfirm();

void StoreFormFile(const std::string& path, const std::string& name);
void StoreFontFile(const std::string& path, const std::string& name);
// Stores the picture staging buffer's PCX image.
void StorePicture(const std::string& name);
// Bytes of the EK/ES text header a font file may begin with; 0 when none.
std::size_t FontFileHeaderLength(std::string_view firstBytes);

// The save dialog for PrinterObjectKind, then the matching extraction.
void SaveObjectAs(const std::string& name);
void ExtractFormToFile(const std::string& name, const std::string& path);
void ExtractGraphicsToFile(const std::string& name, const std::string& path);
void ExtractFontToFile(const std::string& name, const std::string& path);

// The object list in name-pick mode over the printer's fonts: the name the
// user picked, empty when none (the printer-font source of the soft fonts).
std::string PickPrinterFontName();

// The caller holds the port open; sends FK/GK/EK and refills the list.
bool DeleteObject(const std::string& name);

// The store-as dialog in select mode has closed on StoreAsDlg.ObjName: FR,
// then FA and VI.
void SelectFormAndReceiveVariables();
// The object list's Edit: the form becomes the edited label; a load that
// fails leaves the label as it was and says why.
void LoadFormFromPrinter(const std::string& name);

// Every extraction receives into a buffer of this size; longer replies are
// refused and write no file.
inline constexpr std::size_t ExtractionBufferSize = 49152;

}  // namespace zk
