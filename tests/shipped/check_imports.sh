#!/usr/bin/env bash
# The shipped plug-in's link with the host, read from its PE tables:
# - it imports from OBSApi.dll only what the host contract names, every name decorated the
#   Microsoft way (a GNU-decorated "_Z..." name would not load in the real host);
# - it exports the host's four entry points (and our headless host's diagnostics) undecorated;
# - operator new is its own (one that throws), not msvcrt.dll's (which returns null);
# - the same plug-in built against a host SDK folder imports exactly the same.
# usage: check_imports.sh SHIPPED_DLL SDK_BUILT_DLL
set -euo pipefail
shipped=$1 sdk_built=$2
objdump=x86_64-w64-mingw32-objdump

imports_from() {  # DLL, imported module: the imported names, sorted
  "$objdump" -p "$1" | awk -v dll="$2" '
    /DLL Name:/ { inside = ($3 == dll) }
    inside && /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[^ ]/ { print $3 }' | sort
}
exports_of() {
  "$objdump" -p "$1" | awk '/\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && NF == 0 { on = 0 }
    on { print $NF }' | sort
}

expected_host_imports=$(sort <<'NAMES'
??0String@@QEAA@AEBV0@@Z
??0String@@QEAA@PEBD@Z
??0String@@QEAA@PEB_W@Z
??0String@@QEAA@XZ
??0StringList@@QEAA@XZ
??1String@@QEAA@XZ
??1StringList@@QEAA@XZ
??4String@@QEAAAEAV0@AEBV0@@Z
??4String@@QEAAAEAV0@PEB_W@Z
??8String@@QEBA_NPEB_W@Z
?API@@3PEAVAPIInterface@@EA
?AppWarning@@YAXPEB_WZZ
?AppendString@String@@QEAAAEAV1@PEB_WI@Z
?Clear@String@@QEAAAEAV1@XZ
?CrashError@@YAXPEB_WZZ
?CreateElement@XElement@@QEAAPEAV1@PEB_W@Z
?CreateUTF8String@String@@QEBAPEADXZ
?FindReplace@String@@QEAAAEAV1@PEB_W0@Z
?GS@@3PEAVGraphicsSystem@@EA
?GetElement@XElement@@QEBAPEAV1@PEB_W@Z
?GetFloat@XElement@@QEBAMPEB_WM@Z
?GetInt@XElement@@QEBAHPEB_WH@Z
?GetString@XElement@@QEBAPEB_WPEB_W0@Z
?GetTokenList@String@@QEBAIAEAVStringList@@_WH@Z
?InitColorControl@@YAXPEAUHINSTANCE__@@@Z
?Log@@YAXPEB_WZZ
?LookupString@LocaleStringLookup@@QEBAPEB_WPEB_W@Z
?MainAllocator@@3PEAVAlloc@@EA
?OBSMessageBox@@YAHPEAUHWND__@@PEB_W1I@Z
?OSMonitorFileDestroy@@YAXPEAUOSFileChangeData@@@Z
?OSMonitorFileStart@@YAPEAUOSFileChangeData@@VString@@_N@Z
?SetFloat@XElement@@QEAAXPEB_WM@Z
?SetInt@XElement@@QEAAXPEB_WH@Z
?SetString@XElement@@QEAAXPEB_W0@Z
?locale@@3PEAVLocaleStringLookup@@EA
?scmpi@@YAHPEB_W0@Z
?scpy_n@@YAPEA_WPEA_WPEB_W_K@Z
NAMES
)
expected_exports=$(printf '%s\n' DescribeSource DescribeSourceSettings GetPluginDescription GetPluginName \
                   LoadPlugin RasteriseSource UnloadPlugin | sort)

failed=0
check() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAILED: $1"
    diff <(echo "$2") <(echo "$3") | sed 's/^/  /' || true
    failed=1
  fi
}

host_imports=$(imports_from "$shipped" OBSApi.dll)
check "OBSApi.dll imports of $shipped (< expected, > found)" "$expected_host_imports" "$host_imports"
check "exports of $shipped" "$expected_exports" "$(exports_of "$shipped")"
check "operator new or delete imported from msvcrt.dll" "" \
      "$(imports_from "$shipped" msvcrt.dll | grep -E '^\?\?(2|3|_U|_V)@' || true)"
check "OBSApi.dll imports of the SDK-built $sdk_built" "$host_imports" "$(imports_from "$sdk_built" OBSApi.dll)"

[ $failed -eq 0 ] && echo "shipped imports: $(echo "$host_imports" | wc -l) from OBSApi.dll, all as the host contract names them"
exit $failed
