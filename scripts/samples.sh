# Sourced: the sample model packages, the test queue each prints to and the pages of its sheet.
# qxge_sample NAME sets model, printer and pages; it fails for a name it does not know.
qxge_sample() {
  case $1 in
    office) model=QX5000 printer=QX_Office pages=0,1,2,3,4,5 ;;
    compact) model=QX300 printer=QX_Compact pages=0,1,2,3,4,5 ;;
    color) model=QX700 printer=QX_Color pages=0,1,2,3,4,5 ;;
    photo) model=QX900 printer=QX_Photo pages=16,21,12,5 ;;
    *) return 1 ;;
  esac
}
