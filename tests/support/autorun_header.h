// The header of every AutoRun.Inf the tests write with the clock at 14.05.2004 09:30:15, as the
// bytes on disk: code page 1252, CR LF line ends, the empty line before "[autorun]" included.
#pragma once

namespace velquor::testing {

inline constexpr char kAutorunHeaderOf14May2004[] =
    ";**********************************************************************\r\n"
    ";* AUTORUN.INF (Erstellt: 14.05.2004 09:30:15)\r\n"
    ";**********************************************************************\r\n"
    ";* Diese Datei steuert den Autostart von CDs anhand des Morvane-Tools\r\n"
    ";* Orbeno. Detaillierte Informationen hierzu finden Sie in der Online-Hilfe\r\n"
    ";* des zugeh. Programms Velquor bzw. im Internet unter\r\n"
    ";* www.morvane.example\r\n"
    ";**********************************************************************\r\n"
    ";*  Copyright (C) Morvane Software, alle Rechte vorbehalten, 1995 - 2004\r\n"
    ";*  Jonas Albrecht\r\n"
    ";*  Kontakt via E-Mail: support@morvane.example\r\n"
    ";**********************************************************************\r\n"
    "\r\n";

}  // namespace velquor::testing
