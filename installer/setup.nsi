; setup.exe: installs the program with its libraries, data files, help and
; skins into the Program Files folder, adds it to the Start menu and, if
; chosen, to the programs that start with Windows, and registers an
; uninstaller. The build runs it through makensis with these definitions:
;   ARCH     i686 or x86_64: the architecture the program was built for
;   FILES    files.nsh, the macros InstallFiles and UninstallFiles that list
;            what the distribution folder holds
;   OUTFILE  the setup program to write
;   TITLE    the program's title, as its window and the tray show it
;   VERSION  the program's version, e.g. 1.0
;   ICON     the program's icon
;
; Silent use: setup.exe /S [/NOSTARTUP] [/D=folder], and
; uninstall.exe /S [/REMOVESETTINGS].

Unicode true
!if "${ARCH}" == "x86_64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
; The name setup.exe is what people look for. Windows treats programs of
; that name as installers, which this one is, and it asks for administrator
; rights in its manifest anyway.
!pragma warning disable 9000

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define MAKER "Varnok"
!define PRODUCT "VN24G"
; The program keeps its settings here, under HKEY_LOCAL_MACHINE, in the
; 32-bit view of the registry whichever flavour is installed, so the 32-bit
; and the 64-bit program share them: every access to this key below stands
; between SetRegView 32 and SetRegView default. (The uninstall and start-up
; entries are the system's keys and stay in the setup's own view.)
!define SETTINGS_KEY "Software\${MAKER}\${PRODUCT}"
; The same key as an object name for access lists: a 64-bit setup names the
; 32-bit view's key by its path, a 32-bit one is sent there by the system.
!if "${ARCH}" == "x86_64"
  !define SETTINGS_OBJECT "MACHINE\SOFTWARE\WOW6432Node\${MAKER}\${PRODUCT}"
!else
  !define SETTINGS_OBJECT "MACHINE\${SETTINGS_KEY}"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PROGRAM "vn24g.exe"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT_FOLDER "$SMPROGRAMS\${MAKER}"
!define SHORTCUT "${SHORTCUT_FOLDER}\${TITLE}.lnk"
; Where the program remembers which device is in use.
!define DEVICE_LIST "VNType.ini"

Name "${TITLE}"
OutFile "${OUTFILE}"
; A 64-bit program goes into the 64-bit Program Files folder; a 32-bit one
; into the folder Windows keeps for 32-bit programs.
!if "${ARCH}" == "x86_64"
  InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${MAKER}\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${MAKER} ${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${TITLE}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${TITLE} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${MAKER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${TITLE} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${FILES}"

; Asks a running copy of the program to end as its tray menu's Exit does,
; and waits for its process: files in use cannot be replaced or deleted, and
; the program writes its device choice when it ends.
!macro CloseRunningProgram un
Function ${un}CloseRunningProgram
  FindWindow $0 "#32770" "${TITLE}"
  ${If} $0 <> 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
    ; WM_COMMAND with the Exit command of the tray menu.
    System::Call 'user32::PostMessageW(p r0, i 0x0111, p 2, p 0)'
    ${If} $2 != 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 15000)'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CloseRunningProgram ""
!insertmacro CloseRunningProgram "un."

; Lets ordinary users do what the program does for them, on one object:
; $R0 the object's name, $R1 its kind (1 file, 4 registry key), $R2 the
; access list to add, in the notation of security descriptors. Entries the
; object inherits stay as they are.
Function GrantAccess
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w R2, i 1, *p .R3, p 0) i .R4'
  ${If} $R4 = 0
    DetailPrint "Could not read the access list for $R0"
    Return
  ${EndIf}
  System::Call 'advapi32::GetSecurityDescriptorDacl(p R3, *i .R5, *p .R6, *i .R7) i .R4'
  ; DACL_SECURITY_INFORMATION
  System::Call 'advapi32::SetNamedSecurityInfoW(w R0, i R1, i 4, p 0, p 0, p R6, p 0) i .R4'
  ${If} $R4 <> 0
    DetailPrint "Could not give users access to $R0 (error $R4)"
  ${EndIf}
  System::Call 'kernel32::LocalFree(p R3)'
FunctionEnd

Function StartProgram
  ; Through the shell, so that the program does not run with the rights
  ; this setup was given.
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${PROGRAM}"'
FunctionEnd

Section "${TITLE}" SectionProgram
  SectionIn RO
  Call CloseRunningProgram

  ; The device in use stays what the user chose: from the installed list,
  ; or, after an uninstall that kept the settings, from the settings.
  ReadINIStr $3 "$INSTDIR\${DEVICE_LIST}" "CUR_DEVICE" "CurDevice"
  ${If} $3 == ""
    SetRegView 32
    ReadRegStr $3 HKLM "${SETTINGS_KEY}" "CurDevice"
    SetRegView default
  ${EndIf}

  !insertmacro InstallFiles
  ${If} $3 != ""
  ${AndIf} $3 != "0"
    WriteINIStr "$INSTDIR\${DEVICE_LIST}" "CUR_DEVICE" "CurDevice" $3
  ${EndIf}
  FlushINI "$INSTDIR\${DEVICE_LIST}"

  ; The program stores its settings under HKEY_LOCAL_MACHINE and writes the
  ; device list in its own folder, also when an ordinary user runs it:
  ; users may read, set values and create keys below the settings key, and
  ; change the device list. Nothing else in the folder becomes writable.
  ; (Writing a value makes the key; the value itself is not wanted.)
  SetRegView 32
  WriteRegStr HKLM "${SETTINGS_KEY}" "CurDevice" ""
  DeleteRegValue HKLM "${SETTINGS_KEY}" "CurDevice"
  SetRegView default
  StrCpy $R0 "${SETTINGS_OBJECT}"
  StrCpy $R1 4
  StrCpy $R2 "D:(A;CI;0x2001f;;;BU)"
  Call GrantAccess
  StrCpy $R0 "$INSTDIR\${DEVICE_LIST}"
  StrCpy $R1 1
  StrCpy $R2 "D:(A;;0x1301bf;;;BU)"
  Call GrantAccess

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetShellVarContext all
  CreateDirectory "${SHORTCUT_FOLDER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start with Windows" SectionStartup
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${PROGRAM}"'
SectionEnd

; A new installation without the choice takes back the one an earlier
; installation made.
Section "-StartupCleared"
  ${IfNot} ${SectionIsSelected} ${SectionStartup}
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
SectionEnd

Function .onInit
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "Installing ${TITLE} needs administrator rights." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOSTARTUP" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SectionStartup}
  ${EndIf}
FunctionEnd

Function un.onInit
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "Removing ${TITLE} needs administrator rights." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningProgram

  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Delete your button settings and macros as well?$\r$\n$\r$\nAnswer No to keep them for a later installation." \
      /SD IDNO IDYES remove_settings
    ; Kept: the device in use goes with the settings, for the next
    ; installation to bring back.
    ReadINIStr $2 "$INSTDIR\${DEVICE_LIST}" "CUR_DEVICE" "CurDevice"
    ${If} $2 != ""
    ${AndIf} $2 != "0"
      SetRegView 32
      WriteRegStr HKLM "${SETTINGS_KEY}" "CurDevice" $2
      SetRegView default
    ${EndIf}
    Goto settings_done
  ${EndIf}
  remove_settings:
  SetRegView 32
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${MAKER}"
  SetRegView default
  settings_done:

  !insertmacro UninstallFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The maker's folder goes too when nothing else is left in it.
  ${GetParent} "$INSTDIR" $0
  RMDir "$0"

  SetShellVarContext all
  Delete "${SHORTCUT}"
  RMDir "${SHORTCUT_FOLDER}"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
