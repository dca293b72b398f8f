# bash completion for stripewell-render

_stripewell_render() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        -o | --output | --batch)
            # "-" is standard output, or the list read from standard input.
            if [[ $prev == --batch ]]; then _filedir; else _filedir '@(bmp|png|svg|pdf)'; fi
            [[ -z $cur || $cur == - ]] && COMPREPLY+=(-)
            return
            ;;
        --out-dir)
            _filedir -d
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'bmp png svg pdf' -- "$cur"))
            return
            ;;
        --layout)
            COMPREPLY=($(compgen -W 'window retail' -- "$cur"))
            return
            ;;
        --symbol)
            COMPREPLY=($(compgen -W 'jan13 jan8 upca ean13 ean8' -- "$cur"))
            return
            ;;
        --name | --addon | --scale | --magnification | --dpi | --bwr)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-o --output --name --symbol --addon --format --layout --scale
            --magnification --dpi --bwr --quiet-zone-marker --force --batch --out-dir
            -h --help --version' -- "$cur"))
    fi
} &&
    complete -F _stripewell_render stripewell-render
