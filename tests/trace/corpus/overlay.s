; Overlays: a large one copied to the cartridge's RAM at 6000 through
; pointers, page by page, and entered through the JMPs it begins with; a
; small one copied to RAM by index from a table of (source, size) records.
.import __OVLCODE_LOAD__, __OVLCODE_RUN__, __OVLCODE_SIZE__
.import __RAMCODE_LOAD__, __RAMCODE_RUN__, __RAMCODE_SIZE__

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $02, $00
  .res 8, 0

.segment "ZEROPAGE"
src:    .res 2
dst:    .res 2
pages:  .res 1
frame:  .res 1
count:  .res 1

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #<__OVLCODE_LOAD__
  sta src
  lda #>__OVLCODE_LOAD__
  sta src+1
  lda #<__OVLCODE_RUN__
  sta dst
  lda #>__OVLCODE_RUN__
  sta dst+1
  lda #>(__OVLCODE_SIZE__ + 255)
  sta pages
  ldy #0
@copy:
  lda (src),y
  sta (dst),y
  iny
  bne @copy
  inc src+1
  inc dst+1
  dec pages
  bne @copy
  ldy #<(__RAMCODE_SIZE__ - 1)
@small:
  lda __RAMCODE_LOAD__,y
  sta __RAMCODE_RUN__,y
  dey
  bpl @small
  lda #$80
  sta $2000
main:
  lda frame
@wait:
  cmp frame
  beq @wait
  jsr ovl_init
  jsr ovl_step
  jsr tiny
  jmp main

nmi:
  inc frame
  rti

irq:
  rti

.segment "OVLCODE"
ovl_init:
  jmp init_world
ovl_step:
  jmp step_world

init_world:
  ldx #0
  lda #0
@clear:
  sta $0400,x
  inx
  bne @clear
  rts

step_world:
  ldx count
  inc $0400,x
  inc count
  lda count
  cmp #$80
  bcc @ok
  jsr wrap
@ok:
  rts

wrap:
  lda #0
  sta count
  rts

  ; the overlay's bulk: a long routine
bulk:
  .repeat 70
  lda $0400
  clc
  adc $0401
  sta $0402
  .endrepeat
  rts

.segment "RAMCODE"
tiny:
  lda frame
  and #$0F
  sta $2005
  rts

.segment "RODATA"
  .byte $00

.segment "VECTORS"
  .addr nmi, reset, irq
