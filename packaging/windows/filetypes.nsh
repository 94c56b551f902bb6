; The program's file types on Windows: each extension names a class of ours
; whose open command starts the installed program with the file's path, so
; a double click, "Open with" and the Explorer's file icons all know it.
; Included by the CPack NSIS script (cmake/HalvaneWindows.cmake).

!define HALVANE_EXE "$INSTDIR\bin\halvane-client.exe"

!macro HalvaneRegisterType EXT CLASS DESCRIPTION
  WriteRegStr HKCR ".${EXT}" "" "${CLASS}"
  WriteRegStr HKCR ".${EXT}\OpenWithProgids" "${CLASS}" ""
  WriteRegStr HKCR "${CLASS}" "" "${DESCRIPTION}"
  WriteRegStr HKCR "${CLASS}\DefaultIcon" "" "${HALVANE_EXE},0"
  WriteRegStr HKCR "${CLASS}\shell\open\command" "" '"${HALVANE_EXE}" "%1"'
!macroend

; An extension another program has taken over since is left to it.
!macro HalvaneUnregisterType EXT CLASS
  Push $0
  DeleteRegValue HKCR ".${EXT}\OpenWithProgids" "${CLASS}"
  DeleteRegKey /ifempty HKCR ".${EXT}\OpenWithProgids"
  ReadRegStr $0 HKCR ".${EXT}" ""
  StrCmp $0 "${CLASS}" 0 +2
    DeleteRegValue HKCR ".${EXT}" ""
  DeleteRegKey /ifempty HKCR ".${EXT}"
  DeleteRegKey HKCR "${CLASS}"
  Pop $0
!macroend

!macro HalvaneRegisterTypes
  !insertmacro HalvaneRegisterType hvc "HalvaneDuoClient.Profile" "HALVANE DUO Configuration Profile"
  !insertmacro HalvaneRegisterType hvs "HalvaneDuoClient.Schedule" "HALVANE DUO Schedule"
  !insertmacro HalvaneRegisterType hvl "HalvaneDuoClient.NodeLog" "HALVANE DUO Node Log"
!macroend

!macro HalvaneUnregisterTypes
  !insertmacro HalvaneUnregisterType hvc "HalvaneDuoClient.Profile"
  !insertmacro HalvaneUnregisterType hvs "HalvaneDuoClient.Schedule"
  !insertmacro HalvaneUnregisterType hvl "HalvaneDuoClient.NodeLog"
!macroend
