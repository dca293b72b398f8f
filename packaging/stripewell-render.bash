# bash completion for stripewell-render

_stripewell_render() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        -o | --output)
            _filedir '@(bmp|png|svg)'
            return
            ;;
        --batch)
            _filedir
            [[ -z $cur || $cur == - ]] && COMPREPLY+=(-)
            return
            ;;
        --out-dir)
            _filedir -d
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'bmp png svg' -- "$cur"))
            return
            ;;
        --name | --scale | --magnification)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-o --output --name --format --scale
            --magnification --force --batch --out-dir -h --help --version' -- "$cur"))
    fi
} &&
    complete -F _stripewell_render stripewell-render
