#include "engine/engine_state.h"

#include "engine/barcode/barcode_state.h"
#include "engine/config/program_paths.h"
#include "engine/formread/receive_form.h"
#include "engine/formread/variable_reply.h"
#include "engine/expr/data_expression.h"
#include "engine/labelfile/label_file.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/text/printer_font.h"
#include "engine/text/text_render_state.h"
#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"
#include "engine/picture/picture_data.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/softfont/soft_fonts.h"
#include "engine/softfont/font_lists.h"

namespace zk {

void ResetEngineState()
{
    ClearFigureList();
    LabelSetup = TLabelSetup{};
    Settings = TSettings{};
    Variables = {};
    Counters = {};
    TextTemplate = {};
    BarcodeTemplate = {};
    BarTemplate = {};
    LineTemplate = {};
    BoxTemplate = {};
    PictureTemplate = {};
    Pdf417Template = {};
    Pdf417DataBuffer = FixedString<Pdf417DataBufferSize>{};
    ProgramPaths = TProgramPaths{};
    ClosePort();
    CommLink = TCommLink{};
    LinkTimeouts = TLinkTimeouts{};
    ResetExchangeGuard();
    StatusBoxEnabled = 1;
    ResetPictureState();
    ResetLabelFileState();
    DrawnFigureCount = 0;
    RedrawMode = 0;
    ResetBarcodeState();
    ResetPrinterDialogState();
    PickPrinterFont = PickPrinterFontName;
    ResetReceivedVariables();
    GraphicsNameList.clear();
    FontNameList.clear();
    TextDlgFontType = TFontListData{};
    FontsDlgList = TFontListData{};
    ResetDataExpressionState();
    FreePrinterFont();
    ResetTextRenderState();
}

}  // namespace zk
