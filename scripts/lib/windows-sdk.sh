# Where the Windows SDK is: $LATTISCRIBE_WIN_SDK if set, else the shared folder beside the checkout, or
# beside the work folder the checkout was cloned from (a clone elsewhere, as CI makes, has no such
# sibling). Prints the first candidate that exists, or the first one when none does.
windows_sdk() {
    if [ -n "${LATTISCRIBE_WIN_SDK:-}" ]; then
        echo "$LATTISCRIBE_WIN_SDK"
        return
    fi
    local candidate
    for candidate in ../shared/windows-sdk/lattiscribe-win64-sdk.tar.xz \
        /work/shared/windows-sdk/lattiscribe-win64-sdk.tar.xz; do
        if [ -e "$candidate" ]; then
            echo "$candidate"
            return
        fi
    done
    echo ../shared/windows-sdk/lattiscribe-win64-sdk.tar.xz
}
