object DemoBars: TDemoPlainForm
  Left = 640
  Top = 470
  Width = 520
  Height = 420
  Caption = '控件：状态栏、进度条、滑块与标题'
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object Header1: THeaderControl
    Left = 0
    Top = 0
    Width = 504
    Height = 22
    Sections = <
      item
        Text = '名称'
        Width = 160
      end
      item
        Text = '大小'
        Width = 90
        Alignment = taRightJustify
      end
      item
        Text = '修改日期'
        Width = 130
        Alignment = taCenter
      end>
  end
  object Label1: TLabel
    Left = 12
    Top = 34
    Caption = '进度条：空、四成、满'
  end
  object ProgressEmpty: TProgressBar
    Left = 12
    Top = 56
    Width = 300
    Height = 18
  end
  object ProgressPart: TProgressBar
    Left = 12
    Top = 82
    Width = 300
    Height = 18
    Position = 40
  end
  object ProgressFull: TProgressBar
    Left = 12
    Top = 108
    Width = 300
    Height = 18
    Position = 100
    Smooth = True
  end
  object ProgressUp: TProgressBar
    Left = 340
    Top = 34
    Width = 20
    Height = 150
    Orientation = pbVertical
    Position = 30
  end
  object ProgressUpMore: TProgressBar
    Left = 370
    Top = 34
    Width = 20
    Height = 150
    Orientation = pbVertical
    Position = 80
    Smooth = True
  end
  object Label2: TLabel
    Left = 12
    Top = 140
    Caption = '滑块：横、竖、不可用'
  end
  object Track1: TTrackBar
    Left = 12
    Top = 162
    Width = 300
    Height = 40
    Max = 20
    Position = 8
    Frequency = 2
    TickMarks = tmBoth
    TabOrder = 0
  end
  object TrackDisabled: TTrackBar
    Left = 12
    Top = 212
    Width = 300
    Height = 36
    Position = 3
    Enabled = False
    TabOrder = 1
  end
  object TrackUp: TTrackBar
    Left = 410
    Top = 34
    Width = 40
    Height = 180
    Orientation = trVertical
    Max = 50
    Position = 20
    Frequency = 10
    TabOrder = 2
  end
  object CloseButton: TButton
    Left = 400
    Top = 300
    Width = 90
    Height = 30
    Caption = '关闭'
    TabOrder = 3
    OnClick = CloseClick
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 362
    Width = 504
    Height = 22
    Panels = <
      item
        Text = '就绪'
        Width = 120
      end
      item
        Text = '第 3 行'
        Width = 100
        Alignment = taCenter
      end
      item
        Text = '凸起'
        Width = 100
        Bevel = pbRaised
      end
      item
        Text = '无边框'
        Bevel = pbNone
      end>
  end
end
