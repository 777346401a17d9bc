#pragma once
// The encoders of the symbology families behind EncodeBarcode. Each works on
// BarcodeText (already evaluated) and appends to the cleared module array.

#include "engine/barcode/barcode_types.h"

namespace zk {

struct TEncodeRequest {
    BarcodeType Type = BarcodeType::Code39;
    int Narrow = 0;  // narrow element, also the module width of the module-based codes
    int Wide = 0;
};

using BarcodeEncoder = void (*)(const TEncodeRequest&);

void EncodeCode39(const TEncodeRequest& request);          // code39.cpp
void EncodeCode93(const TEncodeRequest& request);          // code93.cpp
void EncodeCode128Auto(const TEncodeRequest& request);     // code128.cpp
void EncodeSscc18(const TEncodeRequest& request);          // gs1_128.cpp
void EncodeEan128(const TEncodeRequest& request);          // gs1_128.cpp
void EncodeCodabar(const TEncodeRequest& request);         // codabar.cpp
void EncodeInterleaved2of5(const TEncodeRequest& request); // interleaved_2of5.cpp
void EncodeGermanPostal(const TEncodeRequest& request);    // interleaved_2of5.cpp
void EncodeUpcInterleaved(const TEncodeRequest& request);  // interleaved_2of5.cpp
void EncodePlessey(const TEncodeRequest& request);         // plessey.cpp
void EncodePostnet(const TEncodeRequest& request);         // postnet.cpp
void EncodeEanUpc(const TEncodeRequest& request);          // ean_upc.cpp

}  // namespace zk
