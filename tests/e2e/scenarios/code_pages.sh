# Code Pages on the real Windows build with a real default printer (Wine's PostScript driver
# writing to a file), through the real windows only: make, redeem, renew, reprint, the page
# file through the real save and open dialogs, invalidate; and a machine without a printer.
S='SOFTWARE\Morvandel4'
install_vardex
add_printer
for n in List_Anz l2_1 cpanz Value11; do set_setting $n 0; done
drive "regsettext $S String1 = KOS" "regsettext $S String2 = zel" "regsettext $S String3 = c:\\vadolog.txt"
start_vardex
M="window Vardex"
C="window Vardex - Security Check"
O="window Vardex - Options"
I="window Vardex - Info"
Q="window Vardex - Question"
LIST="list@Code Pages: Time / Codes Left / Nr / Comment"
open_page() {
    drive "timeout 20000" "$M" "click button:&Options"
    drive "$C" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
    drive "$O" "tab tab#1 = 4"
}
leave() { drive "$O" "click button:E&xit Options" "gone Vardex - Options"; }
printed_ok() { drive "$I" "visible label~Printing successful! = 1" "click button:&OK" "gone Vardex - Info"; }
# The codes on a printed sheet in index order: the left column, then the right one (told apart
# by where a code stands on its line).
codes_of() {
    awk '{
        line = $0
        while ((at = index(line, "Direct Access Code: ")) > 0) {
            pos = length($0) - length(line) + at
            code = substr(line, at + 20, 19)
            gsub(/ /, "", code)
            if (pos < 40) left[++l] = code; else right[++r] = code
            line = substr(line, at + 20)
        }
    } END {
        for (i = 1; i <= l; i++) print left[i]
        for (i = 1; i <= r; i++) print right[i]
    }' "$VX_ARTIFACTS/$1.txt"
}
redeem() {
    local c=$1
    drive "$M" "retype edit#1 = ${c:0:3}-${c:3:3}-${c:6:3}-${c:9:3}-${c:12:3}" \
        "click button:Start with the &Direct Access Code entered"
}

# A page of 1 h 30 min for "Room A": the sheet comes out of the printer.
open_page
drive "$O" "type edit@Hours: = 1" "type edit@Minutes: = 30" "type edit@Comment: = Room A" \
    "click button:Make new &Code Page"
printed_ok
take_print code-page-sheet
grep -q "Sheet Default time: 1:30" "$VX_ARTIFACTS/code-page-sheet.txt"
grep -q "Sheet Nr: 1" "$VX_ARTIFACTS/code-page-sheet.txt"
grep -q "Room A" "$VX_ARTIFACTS/code-page-sheet.txt"
check test "$(grep -cE 'Direct Access Code: [0-9]{3} [0-9]{3} [0-9]{3} [0-9]{3} [0-9]{3}' \
    "$VX_ARTIFACTS/code-page-sheet.txt")" -eq 30
check test "$(codes_of code-page-sheet | wc -l)" -eq 60
artifact code-pages-made
leave

# A printed code, typed with dashes: 1:30 runs and the store marks the code used.
first=$(codes_of code-page-sheet | head -1)
redeem "$first"
drive "timeout 15000" "window Vardex - Time" "starts label#1 = Computer time: 01:30:0"
drive "regtext $S\\cp0 0_0 = ${first}0" "regtext $S\\cp0 0_1 = $(codes_of code-page-sheet | sed -n 2p)1"
check test "$(reg_value "HKLM\\$S\\cp0" canz)" = 59
drive "window Vardex - Time" "click label#1"
drive "$M" "click button:E&xit Timing Mode"
drive "$C" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"

# Renewed: number 2, sixty new codes; the old ones are refused.
open_page
drive "$O" "select $LIST = 0" "click button:Give ne&w Codes to Code Page"
drive "$Q" "visible label~There are still 59 codes on the old code page with the number 1! = 1" \
    "click button:&Yes"
printed_ok
take_print code-page-renewed
grep -q "Sheet Nr: 2" "$VX_ARTIFACTS/code-page-renewed.txt"
check test "$(codes_of code-page-renewed | wc -l)" -eq 60
leave
redeem "$(codes_of code-page-sheet | sed -n 2p)"
drive "window Vardex - Info" "visible label~Direct Access Code was not recognized! = 1" \
    "click button:&OK"

# One new code used, then the reprint holds the other 59.
redeem "$(codes_of code-page-renewed | sed -n 5p)"
drive "timeout 15000" "window Vardex - Time" "click label#1"
drive "$M" "click button:E&xit Timing Mode"
drive "$C" "type edit#2 = zel" "click button:&OK" "gone Vardex - Security Check"
open_page
drive "$O" "select $LIST = 0" "click button:&Reprint Code Page"
printed_ok
take_print code-page-reprint
check test "$(codes_of code-page-reprint | wc -l)" -eq 59
codes_of code-page-reprint | grep -q "$(codes_of code-page-renewed | sed -n 5p)" && false

# The page goes to a file through the real save dialog, byte for byte as the format says.
drive "$O" "select $LIST = 0" "click button:Sa&ve Code Page to file..."
drive "window Save As" "retype combo#3 = C:\\users\\page.txt" "click button:&Save" "gone Save As"
drive "$I" "visible label~Code Page was succesfully written to file! = 1" "click button:&OK"
file="$WINEPREFIX/drive_c/users/page.txt"
check test "$(wc -l <"$file")" -eq 68
check test "$(grep -c $'\r$' "$file")" -eq 68
sed -n '2,8p' "$file" | tr -d '\r' >"$VX_ARTIFACTS/page-head.txt"
printf '%s\n' "Sheet default time houres: 1" "Sheet default time minutes: 30" "Sheet comment: Room A" \
    "Sheet number: 2" " " "THE CODES:" " " | cmp - "$VX_ARTIFACTS/page-head.txt"
k=0
while read -r code; do
    k=$((k + 1))
    [ "$k" -eq 5 ] && mark=invalid || mark=valid
    check test "$(sed -n "$((8 + k))p" "$file" | tr -d '\r')" = "$(printf '%02d.) %s / %s' "$k" "$code" "$mark")"
done < <(codes_of code-page-renewed)
check test "$k" -eq 60
rm -f "$VX_ARTIFACTS/page-head.txt"

# Printed again from the file through the real open dialog.
drive "$O" "click button:Print Code Page &from file..."
drive "window Open" "retype combo#3 = C:\\users\\page.txt" "click button:&Open" "gone Open"
printed_ok
take_print code-page-from-file
diff <(codes_of code-page-reprint) <(codes_of code-page-from-file)

# Invalidated: the list is empty.
drive "$O" "select $LIST = 0" "click button:&Make Code Page invalid"
drive "$Q" "visible label~Are you sure, you want to invalidate the Code Page Selected? = 1" \
    "click button:&Yes"
drive "$O" "items $LIST = "
leave
check test "$(reg_value "HKLM\\$S" cpanz)" = 0

# Without a printer a new page is still made, and the printing error is told.
remove_printer
open_page
drive "$O" "type edit@Hours: = 0" "type edit@Minutes: = 45" "click button:Make new &Code Page"
drive "$I" "visible label~An Error occured when trying to print! = 1"
artifact code-pages-no-printer
drive "$I" "click button:&OK"
drive "$O" "items $LIST = 0:45  / 60 / 1/ "
leave
check test "$(reg_value "HKLM\\$S" cpanz)" = 1
