# bash completion for plotvale                             -*- shell-script -*-

# The keywords an option takes, upper case as the help writes them.
_plotvale_keywords()
{
    case $1 in
        -c | --conversion)
            echo bmp dds exr gif hdr ico j2k jng jp2 jpg jxr pbm pcx pfm pgm png ppm psd tga tiff wbmp webp xpm ;;
        --bmp-compression | --exr-compression | --png-compression | --tga-compression | --tiff-compression)
            echo NONE RLE ZIP PIZ PXR24 B44 ZLIB1 ZLIB6 ZLIB9 CCITTFAX3 CCITTFAX4 PACKBITS DEFLATE ADOBEDEFLATE LZW JPEG LOGLUV ;;
        --gif-frame-loading | --ico-frame-loading | --tiff-frame-loading)
            echo ALL FIRST MIDDLE LAST RANDOM ;;
        --dds-load-as) echo AUTO BGRA RGBA ;;
        --raw-load-as) echo AUTO 8 16 24 48HS 48 ;;
        --raw-tone-mapping) echo NONE LINEAR AL DRR GD ;;
        --bmp-color-table) echo AUTO EXACT ;;
        --psd-color-mode | --tiff-color-mode) echo RGB CMYK LAB ;;
        --jpg-chroma) echo NONE LOW MEDIUM HIGH ;;
        --jpg-save-as) echo STANDARD SIMPLE OPTIMIZED PROGRESSIVE ;;
        --wmf-antialiasing) echo ON OFF ;;
        --rotation-type) echo SIMPLE ADVANCED ;;
        --width-unit | --height-unit) echo PIXELS PERCENT ;;
        --resize-type) echo ALLIMAGES LARGEIMAGES ;;
        --resize-algorithm) echo BOX BILINEAR BSPLINE BICUBIC CATMULLROM LANCZOS ;;
        --dither) echo FS BAYER4 BAYER8 BAYER16 CLUSTER6 CLUSTER8 CLUSTER16 ;;
        --wm-font-style) echo REGULAR BOLD ITALIC BOLDITALIC ;;
        --wm-font-effect) echo NONE UNDERLINE STRIKETHROUGHT ;;
        --wm-text-alignment) echo LEFT CENTER RIGHT ;;
        --wm-text-boundary | --wm-image-boundary) echo IMAGE FRAME ;;
        --wm-text-position | --wm-image-position)
            echo TOPLEFT TOPCENTER TOPRIGHT MIDDLELEFT MIDDLECENTER MIDDLERIGHT BOTTOMLEFT BOTTOMCENTER BOTTOMRIGHT ;;
        --wm-text-size | --wm-image-size) echo FIXED ;;
        --file-timestamp) echo CURRENT ORIGINAL CUSTOM ;;
    esac
}

_plotvale()
{
    local cur prev words cword split
    _init_completion -s || return

    local inputs='@(wmf|WMF|wmz|WMZ|apm|APM|txt|TXT|lst|LST)'
    case $prev in
        -i | --input) _filedir "$inputs"; return ;;
        -o | --output | -t) _filedir -d; return ;;
        --profile | --wm-image) _filedir; return ;;
        -c | --*)
            local keywords
            keywords=$(_plotvale_keywords "$prev")
            if [[ -n $keywords ]]; then
                COMPREPLY=($(compgen -W "$keywords" -- "$cur"))
                return
            fi
            $split && return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        local options='-i -o -c -d -q -p -h -v -u -t --help --version
            --input= --output= --conversion= --profile= --debug --quiet --pause
            --dds-load-as= --gif-frame-loading= --ico-frame-loading= --psd-color-mode=
            --raw-load-as= --raw-header-size= --raw-width= --raw-height= --raw-tone-mapping=
            --tiff-frame-loading= --wmf-dpi= --wmf-antialiasing=
            --bmp-bpp= --bmp-compression= --bmp-color-table= --dds-bpp= --exr-bpp=
            --exr-compression= --gif-bpp= --hdr-bpp= --ico-bpp= --j2k-bpp= --jng-bpp=
            --jp2-bpp= --jpg-bpp= --jpg-quality= --jpg-chroma= --jpg-save-as= --jxr-bpp=
            --pbm-bpp= --pcx-bpp= --pfm-bpp= --pgm-bpp= --png-bpp= --png-compression=
            --png-interlaced --ppm-bpp= --psd-bpp= --tga-bpp= --tga-compression=
            --tiff-bpp= --tiff-compression= --tiff-color-mode= --wbmp-bpp= --webp-bpp=
            --webp-quality= --xpm-bpp=
            --rotation-type= --rotation= --rotation-back-color= --width= --width-unit=
            --height= --height-unit= --keep-aspect-ratio --resize-type= --resize-algorithm=
            --flip-horizontal --flip-vertical
            --brightness= --contrast= --gamma= --invert --greyscale --threshold= --dither=
            --fr-solid-left= --fr-solid-right= --fr-solid-top= --fr-solid-bottom=
            --fr-solid-left-color= --fr-solid-right-color= --fr-solid-top-color=
            --fr-solid-bottom-color= --fr-solid-opacity=
            --wm-text= --wm-font= --wm-font-size= --wm-font-leading= --wm-font-color=
            --wm-font-style= --wm-font-effect= --wm-text-antialiasing --wm-text-alignment=
            --wm-text-padding= --wm-text-opacity= --wm-back-color= --wm-back-opacity=
            --wm-text-boundary= --wm-text-position= --wm-text-x-offset= --wm-text-y-offset=
            --wm-text-rotation= --wm-text-size= --wm-image= --wm-image-greyscale
            --wm-image-opacity= --wm-image-boundary= --wm-image-position=
            --wm-image-x-offset= --wm-image-y-offset= --wm-image-rotation= --wm-image-size=
            --filename-mask= --file-timestamp= --file-timestamp-custom= --no-subfolders
            --jobs= --shard= --skip-existing --manifest='
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    _filedir "$inputs"
} &&
    complete -F _plotvale plotvale

# ex: filetype=sh
