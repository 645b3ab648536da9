object DemoMain: TDemoMain
  Left = 24
  Top = 24
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Tessaly 演示'
  ClientWidth = 560
  ClientHeight = 418
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object Label1: TLabel
    Left = 16
    Top = 12
    Caption = '程序的每一种窗口：'
  end
  object FrameButton: TButton
    Left = 16
    Top = 40
    Width = 248
    Height = 30
    Caption = 'MDI 框架、子窗口与菜单栏'
    TabOrder = 0
    OnClick = FrameClick
  end
  object SizeableButton: TButton
    Left = 16
    Top = 76
    Width = 248
    Height = 30
    Caption = '可调大小的窗口（右键菜单）'
    TabOrder = 1
    OnClick = SizeableClick
  end
  object ToolButton: TButton
    Left = 16
    Top = 112
    Width = 248
    Height = 30
    Caption = '工具窗口'
    TabOrder = 2
    OnClick = ToolClick
  end
  object TaggedButton: TButton
    Left = 16
    Top = 148
    Width = 248
    Height = 30
    Caption = 'Tag 99：不换肤的窗口'
    TabOrder = 3
    OnClick = TaggedClick
  end
  object BareButton: TButton
    Left = 16
    Top = 184
    Width = 248
    Height = 30
    Caption = '没有标题栏的窗口'
    TabOrder = 4
    OnClick = BareClick
  end
  object RightToLeftButton: TButton
    Left = 16
    Top = 220
    Width = 248
    Height = 30
    Caption = '从右到左的窗口'
    TabOrder = 5
    OnClick = RightToLeftClick
  end
  object AllButton: TButton
    Left = 16
    Top = 262
    Width = 248
    Height = 30
    Caption = '全部打开'
    TabOrder = 6
    OnClick = AllClick
  end
  object Label2: TLabel
    Left = 296
    Top = 12
    Caption = '控件陈列，每类一页：'
  end
  object ButtonsPageButton: TButton
    Left = 296
    Top = 40
    Width = 248
    Height = 30
    Caption = '按钮'
    TabOrder = 7
    OnClick = ButtonsPageClick
  end
  object ChecksPageButton: TButton
    Left = 296
    Top = 76
    Width = 248
    Height = 30
    Caption = '复选框与单选按钮'
    TabOrder = 8
    OnClick = ChecksPageClick
  end
  object BarsPageButton: TButton
    Left = 296
    Top = 112
    Width = 248
    Height = 30
    Caption = '状态栏、进度条、滑块与标题'
    TabOrder = 9
    OnClick = BarsPageClick
  end
  object ToolsPageButton: TButton
    Left = 296
    Top = 148
    Width = 248
    Height = 30
    Caption = '工具栏、酷栏与框架'
    TabOrder = 10
    OnClick = ToolsPageClick
  end
  object ScrollingPageButton: TButton
    Left = 296
    Top = 184
    Width = 248
    Height = 30
    Caption = '滚动条、备忘录与微调'
    TabOrder = 11
    OnClick = ScrollingPageClick
  end
  object GridsPageButton: TButton
    Left = 296
    Top = 222
    Width = 248
    Height = 30
    Caption = '表格与滚动框'
    TabOrder = 12
    OnClick = GridsPageClick
  end
  object EditsPageButton: TButton
    Left = 296
    Top = 260
    Width = 248
    Height = 30
    Caption = '编辑框、组合框与日期'
    TabOrder = 13
    OnClick = EditsPageClick
  end
  object PlayerPageButton: TButton
    Left = 296
    Top = 298
    Width = 248
    Height = 30
    Caption = '媒体播放器'
    TabOrder = 14
    OnClick = PlayerPageClick
  end
  object TabsPageButton: TButton
    Left = 296
    Top = 336
    Width = 248
    Height = 30
    Caption = '标签页与标签集'
    TabOrder = 15
    OnClick = TabsPageClick
  end
  object ListsPageButton: TButton
    Left = 296
    Top = 374
    Width = 248
    Height = 30
    Caption = '列表视图与树视图'
    TabOrder = 16
    OnClick = ListsPageClick
  end
  object SkinData1: TSkinData
    Active = True
    SkinFormtype = sfMainform
    SkinStream = {@lightblue.skinstream@}
  end
end
