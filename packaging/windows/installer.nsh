; What the Vellafind installer adds to CPack's NSIS script. cmake/InstallWindows.cmake includes
; this file at the script's top level (with VF_UNINSTALL_KEY defined) and inserts its macros into
; the install and uninstall sections:
;   - inbound firewall rules for the search's UDP ports, added on install, removed on uninstall;
;   - vellafind-cli on the PATH when asked for (off by default): on the options page, or with
;     /PATH=user or /PATH=all on the command line of a silent install;
;   - a Start-menu entry that opens a command prompt with vellafind-cli's help.

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

; --- Firewall -------------------------------------------------------------------------------

; The cameras answer a search on the port it was sent from: 8002, or 12109 when another program
; holds 8002. The program asks the firewall to let it through at every start, but that needs
; administrator rights, which a normal start does not have; the installer has them. One rule per
; program, inbound UDP to those two ports only.
!define VF_FIREWALL_PORTS "8002,12109"

!macro VfAddFirewallRule NAME PROGRAM
  ; The rule of an earlier install goes first, so that there is one.
  nsExec::Exec '"$SYSDIR\netsh.exe" advfirewall firewall delete rule name="${NAME}" program="${PROGRAM}"'
  Pop $0
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall add rule name="${NAME}" dir=in action=allow protocol=UDP localport=${VF_FIREWALL_PORTS} program="${PROGRAM}" enable=yes'
  Pop $0
  ${If} $0 != "0"
    MessageBox MB_OK|MB_ICONEXCLAMATION "The firewall rule $\"${NAME}$\" could not be added (netsh: $0).$\r$\n$\r$\nWithout it the cameras' answers may not reach ${PROGRAM}. Allow the program on private networks under Windows Security, Firewall & network protection, Allow an app through firewall." /SD IDOK
  ${EndIf}
!macroend

!macro VfRemoveFirewallRule NAME PROGRAM
  nsExec::ExecToLog '"$SYSDIR\netsh.exe" advfirewall firewall delete rule name="${NAME}" program="${PROGRAM}"'
  Pop $0
!macroend

; --- PATH -----------------------------------------------------------------------------------

; The PATH is read whole or not changed at all: a variable here holds at most NSIS_MAX_STRLEN
; characters, and a longer PATH read in part and written back would lose the rest.

; $R0: a PATH value; $R1: a folder. Sets $R2 to the value without the entries that name the
; folder (letter case and a trailing backslash aside), $R3 to how many there were.
!macro VfPathWithoutFunction PREFIX
Function ${PREFIX}VfPathWithout
  StrCpy $R2 ""
  StrCpy $R3 0
  StrCpy $R8 0  ; entries kept
  StrCpy $R4 $R0  ; what is still to read
  ${DoUntil} $R4 == ""
    StrCpy $R5 0
    ${Do}
      StrCpy $R6 $R4 1 $R5
      ${If} $R6 == ""
      ${OrIf} $R6 == ";"
        ${ExitDo}
      ${EndIf}
      IntOp $R5 $R5 + 1
    ${Loop}
    StrCpy $R7 $R4 $R5
    IntOp $R5 $R5 + 1
    StrCpy $R4 $R4 "" $R5
    ${If} $R7 == $R1
    ${OrIf} $R7 == "$R1\"
      IntOp $R3 $R3 + 1
    ${Else}
      ${If} $R8 > 0
        StrCpy $R2 "$R2;"
      ${EndIf}
      StrCpy $R2 "$R2$R7"
      IntOp $R8 $R8 + 1
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro VfPathWithoutFunction ""
!insertmacro VfPathWithoutFunction "un."

; Sets OUT to 1 when ROOT KEY holds a value named NAME, else to 0.
!macro VfValueExists ROOT KEY NAME OUT
  StrCpy ${OUT} 0
  StrCpy $R9 0
  ${Do}
    EnumRegValue $R7 ${ROOT} "${KEY}" $R9
    ${If} $R7 == ""
      ${ExitDo}
    ${ElseIf} $R7 == "${NAME}"
      StrCpy ${OUT} 1
      ${ExitDo}
    ${EndIf}
    IntOp $R9 $R9 + 1
  ${Loop}
  ClearErrors
!macroend

; Reads the PATH of ROOT KEY into $R0. Sets $R1 to 1 when it was read whole (a missing PATH
; reads as empty), else to 0.
!macro VfReadPath ROOT KEY
  ClearErrors
  ReadRegStr $R0 ${ROOT} "${KEY}" "Path"
  StrCpy $R1 1
  ${If} ${Errors}
    !insertmacro VfValueExists ${ROOT} "${KEY}" "Path" $R1
    IntOp $R1 1 - $R1
    StrCpy $R0 ""
  ${EndIf}
!macroend

!macro VfAddToPathFunction NAME ROOT KEY SCOPE
Function ${NAME}
  !insertmacro VfReadPath ${ROOT} "${KEY}"
  ${If} $R1 != 1
    DetailPrint "The PATH is too long to be changed here: vellafind-cli is not added to it."
    MessageBox MB_OK|MB_ICONEXCLAMATION "The PATH is too long for this installer to change it without a loss, so vellafind-cli has not been added to it.$\r$\n$\r$\nAdd $INSTDIR to the PATH yourself, or run vellafind-cli there." /SD IDOK
    Return
  ${EndIf}
  StrCpy $R1 $INSTDIR
  Call VfPathWithout
  ${If} $R3 > 0
    DetailPrint "vellafind-cli is on the PATH already."
    Return
  ${EndIf}
  ${If} $R2 != ""
    StrCpy $R2 "$R2;"
  ${EndIf}
  StrLen $R4 "$R2$INSTDIR"
  StrLen $R5 $R2
  StrLen $R6 $INSTDIR
  IntOp $R5 $R5 + $R6
  ${If} $R4 != $R5
    ; The joined text was cut to what a variable holds.
    MessageBox MB_OK|MB_ICONEXCLAMATION "The PATH would grow too long for this installer, so vellafind-cli has not been added to it." /SD IDOK
    Return
  ${EndIf}
  WriteRegExpandStr ${ROOT} "${KEY}" "Path" "$R2$INSTDIR"
  WriteRegStr SHCTX "${VF_UNINSTALL_KEY}" "VellafindPath" "${SCOPE}"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  DetailPrint "vellafind-cli is on the PATH (${SCOPE})."
FunctionEnd
!macroend

!macro VfRemoveFromPathFunction NAME ROOT KEY
Function ${NAME}
  !insertmacro VfReadPath ${ROOT} "${KEY}"
  ${If} $R1 != 1
    DetailPrint "The PATH is too long to be changed here: remove $INSTDIR from it yourself."
    Return
  ${EndIf}
  StrCpy $R1 $INSTDIR
  Call un.VfPathWithout
  ${If} $R3 > 0
    WriteRegExpandStr ${ROOT} "${KEY}" "Path" $R2
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
FunctionEnd
!macroend

!define VF_USER_ENVIRONMENT "Environment"
!define VF_SYSTEM_ENVIRONMENT "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!insertmacro VfAddToPathFunction VfAddToUserPath HKCU "${VF_USER_ENVIRONMENT}" user
!insertmacro VfAddToPathFunction VfAddToSystemPath HKLM "${VF_SYSTEM_ENVIRONMENT}" all
!insertmacro VfRemoveFromPathFunction un.VfRemoveFromUserPath HKCU "${VF_USER_ENVIRONMENT}"
!insertmacro VfRemoveFromPathFunction un.VfRemoveFromSystemPath HKLM "${VF_SYSTEM_ENVIRONMENT}"

; --- The sections' additions ----------------------------------------------------------------

!macro VfInstallExtras
  !insertmacro VfAddFirewallRule "Vellafind" "$INSTDIR\vellafind.exe"
  !insertmacro VfAddFirewallRule "Vellafind command line" "$INSTDIR\vellafind-cli.exe"
  ; The PATH: /PATH=user or /PATH=all, else the choice of the options page (none by default).
  ${GetParameters} $R1
  ClearErrors
  ${GetOptions} $R1 "/PATH=" $R0
  ${If} ${Errors}
    StrCpy $R0 ""
    ${If} $ADD_TO_PATH_ALL_USERS == "1"
      StrCpy $R0 "all"
    ${ElseIf} $ADD_TO_PATH_CURRENT_USER == "1"
      StrCpy $R0 "user"
    ${EndIf}
  ${EndIf}
  ${If} $R0 == "user"
    Call VfAddToUserPath
  ${ElseIf} $R0 == "all"
    Call VfAddToSystemPath
  ${EndIf}
!macroend

!macro VfUninstallExtras
  !insertmacro VfRemoveFirewallRule "Vellafind" "$INSTDIR\vellafind.exe"
  !insertmacro VfRemoveFirewallRule "Vellafind command line" "$INSTDIR\vellafind-cli.exe"
  ReadRegStr $R0 SHCTX "${VF_UNINSTALL_KEY}" "VellafindPath"
  ${If} $R0 == "user"
    Call un.VfRemoveFromUserPath
  ${ElseIf} $R0 == "all"
    Call un.VfRemoveFromSystemPath
  ${EndIf}
!macroend

!define VF_COMMAND_LINE_LINK "Vellafind command line.lnk"

!macro VfCreateShortcuts
  ; A command prompt in the program's folder that starts with vellafind-cli's help.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\${VF_COMMAND_LINE_LINK}" "$SYSDIR\cmd.exe" '/k ""$INSTDIR\vellafind-cli.exe" --help"' "" "" SW_SHOWNORMAL "" "A command prompt with the help of vellafind-cli"
!macroend

!macro VfDeleteShortcuts
  Delete "$SMPROGRAMS\$MUI_TEMP\${VF_COMMAND_LINE_LINK}"
!macroend
