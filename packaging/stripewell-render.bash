# bash completion for stripewell-render

_stripewell_render() {
    local cur prev words cword
    _init_completion || return

    local values=
    # Grading a scan has options of its own.
    if [[ " ${words[*]} " == *" --verify "* ]]; then
        case $prev in
            --verify) _filedir '@(png|bmp|tif|tiff|pdf)' ;;
            --plot) _filedir png ;;
            --dpi | --expect) ;;
            *) [[ $cur == -* ]] &&
                COMPREPLY=($(compgen -W '--verify --dpi --expect --json --plot -h --help' -- "$cur")) ;;
        esac
        return
    fi
    case $prev in
        -o | --output | --batch)
            # "-" is standard output, or the list read from standard input.
            if [[ $prev == --batch ]]; then _filedir; else _filedir '@(bmp|png|svg|pdf)'; fi
            [[ -z $cur || $cur == - ]] && COMPREPLY+=(-)
            return
            ;;
        --out-dir) _filedir -d; return ;;
        --sheet-file)
            _filedir
            [[ -z $cur || $cur == - ]] && COMPREPLY+=(-)
            return
            ;;
        --name | --addon | --scale | --magnification | --dpi | --bwr | --code-column | \
            --name-column | --copies | --skip | --indicator | --ratio | --classification | \
            --price | --price-with-tax | --item | --instore-prefix | --label-size) return ;;
        --design) values='symbol price shelf' ;;
        --tax-rate) values='10 8' ;;
        --rounding) values='floor round ceil' ;;
        --exclusive-label) values='zeinuki hontai' ;;
        --instore) values='plu price4 price5 price4-check price5-check' ;;
        --bearer) values='frame bars' ;;
        --format) values='bmp png svg pdf' ;;
        --layout) values='window retail' ;;
        --symbol) values='jan13 jan8 upca upce itf14 book ean13 ean8' ;;
        --encoding) values='UTF-8 UTF-16LE UTF-16BE Shift_JIS' ;;
        --separator) values='tab comma semicolon' ;;
        --sheet) values="list $("$1" --sheet list 2>/dev/null | awk '{print $1}')" ;;
        --printer) values='list' ;;
        # The printers of the system's print service.
        --print) values="$(lpstat -e 2>/dev/null)" ;;
        --media) return ;;
    esac
    if [[ -n $values ]]; then
        COMPREPLY=($(compgen -W "$values" -- "$cur"))
    elif [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-o --output --name --symbol --addon --indicator --ratio
            --bearer --classification --price --format --layout --scale
            --magnification --dpi --bwr --quiet-zone-marker --force --batch --out-dir
            --encoding --separator --code-column --name-column --no-name --sheet --sheet-file --copies
            --skip --outline --print --printer --media --design --price-with-tax --tax-rate
            --rounding --exclusive-label --no-symbol --instore --instore-prefix --item
            --label-size --verify -h --help --version' -- "$cur"))
    fi
} &&
    complete -F _stripewell_render stripewell-render
