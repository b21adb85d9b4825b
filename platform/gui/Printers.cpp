#include "Printers.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

SystemPrinters systemPrinters;
Printers* installed = nullptr;

} // namespace

Printers& printers()
{
    return installed ? *installed : systemPrinters;
}

void setPrinters(Printers* p)
{
    installed = p;
}

std::unique_ptr<QPrinter> SystemPrinters::DefaultPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
}
