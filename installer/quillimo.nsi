; The Quillimo installer: a 64-bit NSIS setup program that installs for the user who runs it,
; without administrator rights, into %LOCALAPPDATA%\Programs\Quillimo, where the program may
; write its settings and catalogue beside itself. scripts/make-installer.sh compiles it with
;   STAGE       the folder of scripts/stage-package.sh
;   CATALOGUE   an include file with one CatalogueFile line per delivered catalogue file
;   ICON        the program's icon, for the setup program and the uninstaller
;   COMPRESSOR  the compression of the files (lzma, or zlib for a quicker build)
;   OUTFILE     the setup program to write
;
; Command line: "quillimo-setup.exe /S" installs silently (a /D=<folder> at the end of the line
; chooses another folder); "uninstall.exe /S" uninstalls silently and keeps the user's messages
; and settings, "uninstall.exe /S /REMOVEDATA" removes them too.
;
; Upgrading replaces the program, the skins, the guides and the licence notices. The delivered
; catalogue files are replaced only where the user has not changed them: the time each one was
; written with is kept in delivered.ini, and a file whose time differs was rewritten by the
; program since. ayarlar.txt and the user's own programs are never written by the installer.

Unicode true
Target amd64-unicode
SetCompressor /SOLID ${COMPRESSOR}
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Quillimo"
!define VERSION "1.1"
!define PUBLISHER "Brelko"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The autostart value and desktop entry name the program writes (src/app/main_window_settings.cpp).
!define AUTOSTART_NAME "Quillimo"
!define DELIVERED_INI "delivered.ini"
; The caption of the program's main window, in both languages.
!define WINDOW_CAPTION "Quillimo v 1.1"
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vesperin.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the one shown where the user's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Turkish"

; The setup program's own version information (its file properties); it has no copyright line.
!pragma warning disable 9100
VIProductVersion "1.1.0.0"
VIFileVersion "1.1.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"

LangString RemoveDataQuestion ${LANG_ENGLISH} "Remove your messages and settings too?$\r$\n$\r$\nChoose No to keep them in $INSTDIR for a later installation."
LangString RemoveDataQuestion ${LANG_TURKISH} "Mesajlarınız ve ayarlarınız da silinsin mi?$\r$\n$\r$\nHayır'ı seçerseniz sonraki bir kurulum için $INSTDIR klasöründe kalırlar."

; ---- a running program -----------------------------------------------------------------------

; A running Quillimo (its main window, shown or hidden in the notification area) is closed as
; Alt+F4 would close it, which writes its settings first, so that its program file can be
; replaced or removed. Waits up to 10 s for the process to end.
!macro CloseRunningProgramFunction PREFIX
Function ${PREFIX}CloseRunningProgram
  FindWindow $0 "" "${WINDOW_CAPTION}"
  ${If} $0 == 0
    Return
  ${EndIf}
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
  System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p.r2"
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=10000
  ${If} $2 != 0
    System::Call "kernel32::WaitForSingleObject(p r2, i 10000)"
    System::Call "kernel32::CloseHandle(p r2)"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CloseRunningProgramFunction ""
!insertmacro CloseRunningProgramFunction "un."

; ---- the delivered catalogue ---------------------------------------------------------------

; In: $R0 the file's name under $INSTDIR. Out: $R1 1 when the delivered file is to be written,
; 0 when the user's file stays: missing files are written, existing ones only while they still
; carry the time the installer gave them.
Function CatalogueFileIsUntouched
  StrCpy $R1 1
  ${If} ${FileExists} "$INSTDIR\$R0"
    ReadINIStr $R2 "$INSTDIR\${DELIVERED_INI}" "files" "$R0"
    GetFileTime "$INSTDIR\$R0" $R3 $R4
    ${If} "$R2" != "$R3 $R4"
      StrCpy $R1 0
    ${EndIf}
  ${EndIf}
FunctionEnd

; In: $R0 the file's name under $INSTDIR, just written: its time goes into delivered.ini.
Function RememberCatalogueFile
  GetFileTime "$INSTDIR\$R0" $R3 $R4
  WriteINIStr "$INSTDIR\${DELIVERED_INI}" "files" "$R0" "$R3 $R4"
FunctionEnd

; One delivered catalogue file: its name under $INSTDIR (with "\") and its file in the stage.
!macro CatalogueFile NAME SOURCE
  StrCpy $R0 "${NAME}"
  Call CatalogueFileIsUntouched
  ${If} $R1 == 1
    File "/oname=${NAME}" "${SOURCE}"
    Call RememberCatalogueFile
  ${EndIf}
!macroend

; ---- install -------------------------------------------------------------------------------

Section "Quillimo"
  SetShellVarContext current
  Call CloseRunningProgram
  SetOverwrite on
  SetOutPath "$INSTDIR"
  File "${STAGE}/vesperin.exe"
  File "${STAGE}/KILAVUZ.txt"
  File "${STAGE}/GUIDE.txt"
  ; The skins of this version only.
  Delete "$INSTDIR\skins\*.skn"
  SetOutPath "$INSTDIR\skins"
  File "${STAGE}/skins/*.skn"
  RMDir /r "$INSTDIR\LICENSES"
  SetOutPath "$INSTDIR\LICENSES"
  File "${STAGE}/LICENSES/*"

  SetOutPath "$INSTDIR"
  ; UTF-16 (its byte order mark first), so that the names of the Turkish files keep every letter.
  ${IfNot} ${FileExists} "$INSTDIR\${DELIVERED_INI}"
    FileOpen $0 "$INSTDIR\${DELIVERED_INI}" w
    FileWriteWord $0 0xFEFF
    FileClose $0
  ${EndIf}
  CreateDirectory "$INSTDIR\language0"
  CreateDirectory "$INSTDIR\language1"
  !include "${CATALOGUE}"
  FlushINI "$INSTDIR\${DELIVERED_INI}"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vesperin.exe" "" "$INSTDIR\vesperin.exe" 0

  ; The entry in the user's list of installed programs.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vesperin.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ---- uninstall -----------------------------------------------------------------------------

; Under Wine the program also starts with the desktop session through a desktop entry in the
; user's autostart folder ($XDG_CONFIG_HOME/autostart, or $HOME/.config/autostart); Wine's
; kernel32 gives that folder's Windows name. On Windows there is no such export and nothing
; is done.
Function un.RemoveDesktopAutostart
  ReadEnvStr $0 "XDG_CONFIG_HOME"
  StrCpy $1 $0 1
  ${If} $1 != "/"
    ReadEnvStr $0 "HOME"
    StrCpy $1 $0 1
    ${IfThen} $1 != "/" ${|} Return ${|}
    StrCpy $0 "$0/.config"
  ${EndIf}
  StrCpy $1 0
  System::Call "kernel32::wine_get_dos_file_name(m '$0/autostart/${AUTOSTART_NAME}.desktop') p.r1"
  ${If} $1 != 0
    System::Call "kernel32::lstrcpynW(w .r3, p r1, i ${NSIS_MAX_STRLEN})"
    System::Call "kernel32::GetProcessHeap() p.r4"
    System::Call "kernel32::HeapFree(p r4, i 0, p r1)"
    Delete "$3"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  ; Whether the user's messages and settings go too: asked, or on a silent uninstall given by
  ; /REMOVEDATA (kept without it).
  StrCpy $5 0
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVEDATA" $1
    ${IfNot} ${Errors}
      StrCpy $5 1
    ${EndIf}
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveDataQuestion)" IDNO +2
    StrCpy $5 1
  ${EndIf}

  Call un.CloseRunningProgram
  Delete "$INSTDIR\vesperin.exe"
  Delete "$INSTDIR\KILAVUZ.txt"
  Delete "$INSTDIR\GUIDE.txt"
  Delete "$INSTDIR\skins\*.skn"
  RMDir "$INSTDIR\skins"
  RMDir /r "$INSTDIR\LICENSES"
  Delete "$INSTDIR\uninstall.exe"
  ${If} $5 == 1
    Delete "$INSTDIR\ayarlar.txt"
    Delete "$INSTDIR\programlist0.txt"
    Delete "$INSTDIR\programlist1.txt"
    RMDir /r "$INSTDIR\language0"
    RMDir /r "$INSTDIR\language1"
    ; Left by a program ended while it saved.
    Delete "$INSTDIR\*.tmp"
    Delete "$INSTDIR\${DELIVERED_INI}"
  ${EndIf}
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The autostart values the program may have written: under the machine's Run key (refused to
  ; a standard user on Windows, where the value then stays), under the user's, and Wine's entry.
  DeleteRegValue HKLM "${RUN_KEY}" "${AUTOSTART_NAME}"
  DeleteRegValue HKCU "${RUN_KEY}" "${AUTOSTART_NAME}"
  Call un.RemoveDesktopAutostart
SectionEnd
