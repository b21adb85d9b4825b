// The printer documents go to, behind a replaceable interface: the program prints on the system's default printer,
// tests install one that writes each document into a PDF file.
#pragma once

#include "Toolkit.h"

#include <memory>

class QPrinter;

// Raised when a document cannot be started or continued on the printer.
class EPrinter : public Exception
{
public:
    using Exception::Exception;
};

class Printers
{
public:
    virtual ~Printers() = default;
    // A printer for one document, not yet begun; null when there is none to print on.
    virtual std::unique_ptr<QPrinter> DefaultPrinter() = 0;
};

// The installed printers; until some are installed, the system's.
Printers& printers();
// Installs p (not owned); nullptr restores the system's printers.
void setPrinters(Printers* p);

// The system's default printer, at its own resolution; none when the system has no printer.
class SystemPrinters : public Printers
{
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override;
};
